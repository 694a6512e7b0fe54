#pragma once
// Writing a file so that a crash or a full disk never leaves the user without it: write a work
// file, flush it to the disk, then move it over the original in one step.

#include <cstdio>
#include <functional>
#include <string>

// Flushes the stream and the system's buffers of its file to the disk; false on any failure.
bool FlushToDisk(std::FILE* file);

// Moves `from` over `to` in one atomic step (the old `to` stays whole until the move is done).
bool ReplaceFile(const std::string& from, const std::string& to);

// A file written under a work name beside its target, which replaces the target only once it is
// whole and on the disk. A work file that is not committed is removed when the object goes; a
// name it could not open is never removed, since what is there is not its own.
class CWorkFile {
public:
    using Replacer = std::function<bool(const std::string& from, const std::string& to)>;
    enum class Failure { kNone, kWrite, kReplace };
    // A new file of a name no other file has, ".<name>.partial-XXXXXX" beside the target, for a
    // writer that others may run at the same time on the same target.
    struct UniqueName {};

    // Opens "<target>.part", created or emptied.
    explicit CWorkFile(std::string target);
    // Opens `work`, created or emptied.
    CWorkFile(std::string target, std::string work);
    CWorkFile(std::string target, UniqueName);
    ~CWorkFile();
    CWorkFile(const CWorkFile&) = delete;
    CWorkFile& operator=(const CWorkFile&) = delete;

    bool IsOpen() const { return m_pFile != nullptr; }
    std::FILE* File() const { return m_pFile; }
    const std::string& WorkPath() const { return m_strWork; }
    const std::string& TargetPath() const { return m_strTarget; }
    // The system's error number of the open or of the failed step of Commit, 0 when there is none.
    int Error() const { return m_nError; }

    // Flushes the work file to the disk, closes it and moves it over the target with `replace`.
    // On failure the work file is removed, the target is as it was, and the step is told.
    Failure Commit(const Replacer& replace = ReplaceFile);
    // Closes and removes the work file; the target is as it was.
    void Discard();

private:
    std::string m_strTarget;
    std::string m_strWork;
    std::FILE* m_pFile = nullptr;
    int m_nError = 0;
};
