#include "batch_context.h"
#include "common/memory_tuning.h"
#include "common/program_options.h"

#include <exception>
#include <iostream>
#include <new>

int main(int argc, char** argv) {
    // The runner reports the failures of the steps; this catches whatever escapes it, so that
    // the program always ends with a message and status 1.
    try {
        std::vector<std::string> arguments(argv + 1, argv + argc);
        if (const auto status = common::answerHelpOrVersion(arguments, "moldrin-batch",
                                                            batch::helpText(), std::cout))
            return *status;
        common::keepFreedMemoryForReuse();
        return batch::runBatch(arguments, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "moldrin-batch: out of memory\n";
    } catch (const std::exception& error) {
        std::cerr << "moldrin-batch: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "moldrin-batch: unexpected failure\n";
    }
    return 1;
}
