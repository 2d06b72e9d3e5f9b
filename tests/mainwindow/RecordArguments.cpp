// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for a program on the launch bar: writes the arguments it was
// started with, each ended by a NUL byte, to the file named by the
// environment variable VELICORT_RECORD_ARGUMENTS. The file appears whole
// (written beside it, then renamed), so a test can wait for it.

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
    const char *target = std::getenv("VELICORT_RECORD_ARGUMENTS");
    if (!target)
        return 2;
    const std::string part = std::string(target) + ".part";
    std::FILE *file = std::fopen(part.c_str(), "wb");
    if (!file)
        return 1;
    for (int i = 1; i < argc; ++i)
        std::fwrite(argv[i], 1, std::char_traits<char>::length(argv[i]) + 1, file);
    std::fclose(file);
    return std::rename(part.c_str(), target) == 0 ? 0 : 1;
}
