#include "storage/messages.h"

#include "storage/data_folder.h"

#include <cstdio>

void reportProblem(const std::string& text) { std::fprintf(stderr, "lumo: %s\n", text.c_str()); }

void reportFileProblem(const std::string& path, const std::string& problem) {
    reportProblem(fullPath(path) + " " + problem);
}
