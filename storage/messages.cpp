#include "storage/messages.h"

#include "storage/data_folder.h"

#include <cstdio>

// A message box's second line (a hint) follows the first after "; ", so each
// failure stays one line that a script can pick out.
void reportProblem(const std::string& text) {
    std::string line = text;
    for (size_t at = line.find('\n'); at != std::string::npos; at = line.find('\n', at))
        line.replace(at, 1, "; ");
    std::fprintf(stderr, "lumo: %s\n", line.c_str());
}

void reportFileProblem(const std::string& path, const std::string& problem) {
    reportProblem(fullPath(path) + " " + problem);
}
