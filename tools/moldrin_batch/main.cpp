#include "batch_context.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return batch::runBatch(arguments, std::cout, std::cerr);
}
