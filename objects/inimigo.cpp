#include "objects/inimigo.h"
