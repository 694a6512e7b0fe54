#include "platform/DirectoryListing.h"

#include "platform/FileNames.h"

#include <ctime>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <unordered_map>

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace {

#ifndef _WIN32

// A listing is reused while the directory's identity and change time stay the same. A directory
// that changed moments before it was listed may change again within the same tick of its clock,
// unseen, so such a listing is read again next time.
constexpr std::time_t kSettledSeconds = 2;
constexpr std::size_t kMostListings = 64;

struct Listing {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    bool settled = false;
    bool listed = false;
    std::unordered_map<std::string, std::vector<std::string>> namesByFolded;
};

bool SameVersion(const Listing& listing, const struct stat& info) {
    return listing.settled && listing.device == info.st_dev && listing.inode == info.st_ino &&
           listing.modified.tv_sec == info.st_mtim.tv_sec &&
           listing.modified.tv_nsec == info.st_mtim.tv_nsec;
}

Listing ReadListing(const char* path, const struct stat& info) {
    Listing listing;
    listing.device = info.st_dev;
    listing.inode = info.st_ino;
    listing.modified = info.st_mtim;
    listing.settled = std::time(nullptr) - info.st_mtim.tv_sec > kSettledSeconds;
    if (DIR* directory = ::opendir(path)) {
        listing.listed = true;
        while (const dirent* entry = ::readdir(directory))
            listing.namesByFolded[AsciiFolded(entry->d_name)].emplace_back(entry->d_name);
        ::closedir(directory);
    } else {
        listing.settled = false;
    }
    return listing;
}

struct ListingKey {
    dev_t device;
    ino_t inode;
    bool operator==(const ListingKey&) const = default;
};

struct ListingKeyHash {
    std::size_t operator()(const ListingKey& key) const {
        return std::hash<ino_t>()(key.inode) ^ (std::hash<dev_t>()(key.device) << 1);
    }
};

#endif

} // namespace

std::optional<std::vector<std::string>> EntriesNamedNoCase(const std::string& directory,
                                                           std::string_view name) {
    const std::string path = directory.empty() ? std::string(".") : directory;
#ifndef _WIN32
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    static std::mutex mutex;
    static std::unordered_map<ListingKey, Listing, ListingKeyHash> listings;
    const std::lock_guard<std::mutex> lock(mutex);
    const ListingKey key{info.st_dev, info.st_ino};
    auto it = listings.find(key);
    if (it == listings.end() || !SameVersion(it->second, info)) {
        if (listings.size() >= kMostListings)
            listings.clear();
        it = listings.insert_or_assign(key, ReadListing(path.c_str(), info)).first;
    }
    if (!it->second.listed)
        return std::nullopt;
    const auto found = it->second.namesByFolded.find(AsciiFolded(name));
    return found == it->second.namesByFolded.end() ? std::vector<std::string>() : found->second;
#else
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(path, error);
    if (error)
        return std::nullopt;
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (EqualsNoCase(entry, name))
            names.push_back(std::move(entry));
    }
    return names;
#endif
}
