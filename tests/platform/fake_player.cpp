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
