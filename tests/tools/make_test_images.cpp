// Writes the full image set, each slot one flat colour, into the working directory.
#include "tests/support.h"

int main() {
    test::startAllegro();
    test::makeImageSet();
    return 0;
}
