// Measuring tools of the benchmarks: the bare run of the digest tool, test files with real content, child
// runs of processes with their peak memory, and medians.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace corvantil::bench {

// One run of `sh -c 'shasum -a 256 FILE'` with its output read to the end, as the program runs it but with
// nothing around it. Returns the exit status.
int BareDigest(const std::string& path);

// Writes `bytes` of pseudo-random content (a 1 MiB block repeated, the same for every file), so the tool
// reads real data; files of equal size have equal content.
void WriteFile(const std::string& path, std::uint64_t bytes);

// A temporary folder, removed with everything in it when it goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

struct ChildRun {
    int status = -1;     // exit code, or -1 when it did not exit normally
    std::string output;  // its standard output
    long peakKiB = 0;    // peak resident memory of the child (and its waited-for children), from wait4
    std::int64_t startedNs = 0;  // steady clock just before the spawn
};
// Runs `argv` with `env` added to this process's environment and waits for it.
ChildRun RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env);

std::int64_t NowNs();
double Median(std::vector<double> values);
double Millis(std::chrono::nanoseconds d);

}  // namespace corvantil::bench
