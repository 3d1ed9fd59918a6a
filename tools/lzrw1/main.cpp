// lzrw1 c IN OUT compresses a file into the tally file format; lzrw1 d IN OUT expands one.
#include "tally/lzrw1.h"

#include <cstdio>
#include <string_view>

using lastling::tally::ELzrw1Exception;
using lastling::tally::Tlzrw1;

int main(int argc, char** argv) {
    const std::string_view mode = argc == 4 ? argv[1] : "";
    if (mode != "c" && mode != "d") {
        std::fprintf(stderr, "usage: lzrw1 c|d IN OUT\n");
        return 2;
    }
    Tlzrw1 doit;
    doit.setInputFile(argv[2]);
    doit.setOutputFile(argv[3]);
    try {
        if (mode == "c")
            doit.Compress();
        else
            doit.Decompress();
    } catch (const ELzrw1Exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
