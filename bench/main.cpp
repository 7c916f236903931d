#include "bench/bench.h"

#include <cstdlib>
#include <cstring>

// dovanel_bench keystroke [keys] | load [runs] | opentext [runs] | journal [runs] |
// weakblock [runs]: prints
// "name value" lines for bench/run.sh.
int main(int argc, char* argv[])
{
    if (argc >= 2 && std::strcmp(argv[1], "keystroke") == 0)
        return benchKeystroke(1, argv, argc >= 3 ? std::atoi(argv[2]) : 10000);
    if (argc >= 2 && std::strcmp(argv[1], "load") == 0)
        return benchLoadBlock(argc >= 3 ? std::atoi(argv[2]) : 20);
    if (argc >= 2 && std::strcmp(argv[1], "opentext") == 0)
        return benchOpenText(1, argv, argc >= 3 ? std::atoi(argv[2]) : 10);
    if (argc >= 2 && std::strcmp(argv[1], "journal") == 0)
        return benchJournal(1, argv, argc >= 3 ? std::atoi(argv[2]) : 100000);
    if (argc >= 2 && std::strcmp(argv[1], "weakblock") == 0)
        return benchWeakBlock(1, argv, argc >= 3 ? std::atoi(argv[2]) : 20);
    std::fprintf(stderr, "usage: dovanel_bench keystroke [keys] | load [runs] | opentext [runs] | "
                         "journal [runs] | weakblock [runs]\n");
    return 2;
}
