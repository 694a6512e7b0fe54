#pragma once
// One owner for an open C stream, so that every return path closes it.

#include <cstdio>
#include <memory>

struct CFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

using CFilePtr = std::unique_ptr<std::FILE, CFileCloser>;
