// SPDX-License-Identifier: GPL-3.0-or-later
// A sound player that misbehaves on command, for the clock's side of the
// player process: the file it is given says what to do.
//   fake_player CLOCK_PID DEVICE_TYPE FILE

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    std::string what;
    std::getline(std::ifstream(argv[3]), what);
    auto say = [](const char *line) {
        std::printf("%s\n", line);
        std::fflush(stdout);
    };
    auto hang = [] {
        for (;;)
            pause();
    };
    using namespace std::chrono_literals;
    if (what == "exit")
        return 0;
    if (what == "crash")
        std::raise(SIGSEGV);
    if (what == "hang")
        hang();
    if (what == "error")
        say("error broken on purpose");
    if (what == "garbage")
        say("\x01\x7f\xfe no report at all");
    if (what == "long line") { // 50 MB and never a newline
        const std::vector<char> chunk(1 << 20, 'x');
        for (int i = 0; i < 50; ++i)
            if (write(STDOUT_FILENO, chunk.data(), chunk.size()) < 0)
                return 1;
        hang();
    }
    if (what == "flood") { // started, then line after line for as long as it may
        say("started 5000 fake heard");
        for (;;)
            if (write(STDOUT_FILENO, "started 5000 fake heard\n", 24) < 0)
                return 1;
    }
    if (what == "claims a year") {
        say("started 31536000000 fake heard");
        hang();
    }
    if (what == "together") { // a short sound, its two reports read at once
        say("started 200 fake heard\nended 200");
        hang();
    }
    if (what == "chatter" || what == "chatter flood") { // a synthesiser's warnings
        const std::string warning = "fluidsynth: warning: No preset found on channel 9\n";
        for (int i = 0; i < 2048 || what == "chatter flood"; ++i)
            if (write(STDERR_FILENO, warning.data(), warning.size()) < 0)
                return 1;
        say("started 200 fake heard\nended 200");
        hang();
    }
    if (what == "fork") { // leaves a child of its own behind
        if (fork() == 0) {
            close(STDERR_FILENO); // holds nothing of the test's open but its group
            hang();
        }
        say("started 200 fake heard");
        std::this_thread::sleep_for(300ms);
        say("ended");
        return 0;
    }
    if (what == "crash playing" || what == "hang playing" || what == "play" || what == "close playing") {
        say("started 200 fake heard");
        std::this_thread::sleep_for(100ms);
        if (what == "crash playing")
            std::raise(SIGSEGV);
        if (what == "hang playing")
            hang();
        if (what == "close playing") { // its reports end, but it goes on
            fclose(stdout);
            hang();
        }
        std::this_thread::sleep_for(200ms);
        say("ended");
    }
    return 0;
}
