#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("kr6csv %s\n", KR6CSV_VERSION);
        return 0;
    }
    std::fprintf(stderr, "kr6csv: the evaluation is not built yet; try --version\n");
    return 2;
}
