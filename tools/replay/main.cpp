// zommel-replay: plays the game without a window, from an input script.
#include "runner.h"

#include <iostream>

int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return runReplay(args, std::cin, std::cout, std::cerr);
}
