// Makes one of the benchmark's game folders: quorvant_bench_game <folder> <module files>
#include "bench/game_maker.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <folder> <module files>\n", argv[0]);
        return 2;
    }
    try {
        bench::MakeGame(argv[1], std::atoi(argv[2]));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
