#include "batch_context.h"
#include "common/program_options.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const auto status =
            common::answerHelpOrVersion(arguments, "moldrin-batch", batch::helpText(), std::cout))
        return *status;
    return batch::runBatch(arguments, std::cout, std::cerr);
}
