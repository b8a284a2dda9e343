#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace batch {

extern const char* const checkUsageLine;

// moldrin-batch --check PATH... [--json] [--fix OUT_DIR]: checks every model named or found in
// the folders named (recursively, .mdl and .mdx in any case) on all cores, and prints each
// problem as "path: severity id: message" or, with --json, one object a file a line. --fix
// writes each model a certain fix changed into OUT_DIR under its own name and format. The
// arguments are those after --check. Returns 0 when no file has an error, 1 when one has (or a
// fixed model could not be written), 2 when a file cannot be read or the arguments are wrong.
int checkModels(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace batch
