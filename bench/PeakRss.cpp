// peak-rss [-o FILE] COMMAND [ARGS...]: runs the command and reports the largest resident
// set it reached, in KiB, on standard error or into FILE. Exits with the command's status.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    int First = 1;
    const char* Output = nullptr;
    if (argc > 2 && std::strcmp(argv[1], "-o") == 0) {
        Output = argv[2];
        First = 3;
    }
    if (First >= argc) {
        std::fprintf(stderr, "usage: peak-rss [-o FILE] COMMAND [ARGS...]\n");
        return 2;
    }

    const pid_t Child = fork();
    if (Child < 0) {
        std::perror("peak-rss: fork");
        return 2;
    }
    if (Child == 0) {
        execvp(argv[First], argv + First);
        std::fprintf(stderr, "peak-rss: cannot run %s: %s\n", argv[First], std::strerror(errno));
        _exit(127);
    }

    int Status = 0;
    rusage Usage{};
    while (wait4(Child, &Status, 0, &Usage) < 0) {
        if (errno != EINTR) {
            std::perror("peak-rss: wait4");
            return 2;
        }
    }

    // ru_maxrss is in KiB on Linux.
    const std::string Line = std::to_string(Usage.ru_maxrss) + "\n";
    if (Output != nullptr) {
        std::FILE* File = std::fopen(Output, "w");
        if (File == nullptr) {
            std::perror("peak-rss: cannot write the result");
            return 2;
        }
        std::fputs(Line.c_str(), File);
        std::fclose(File);
    } else {
        std::fprintf(stderr, "peak RSS: %s", Line.c_str());
    }
    if (WIFEXITED(Status))
        return WEXITSTATUS(Status);
    return 128 + (WIFSIGNALED(Status) ? WTERMSIG(Status) : 0);
}
