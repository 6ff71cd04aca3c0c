// The `zelo` command-line host; everything but the process boundary lives in CZeloCommand.
#include "tools/zelo/CZeloCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return Zelo::Tools::CZeloCommand().run(arguments, std::cout, std::cerr);
}
