// Puts changed hives in place so that a failure, a power cut or a kill at
// any moment leaves each hive either as it was or as it should be.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hive/hive_file.h"

// The draft beside a hive, where its new content is written first.
std::string HiveDraftPath(const std::string& hivePath);

// A changed hive and its draft, written and walked.
struct HiveDraft {
    HiveFile* hive;
    std::string path;
};

// Writes each changed hive whole to its draft beside it, gives its changed
// keys and its header `fileTime`, syncs it, opens it again and walks every
// key and value. False, with the reason, when one fails: the drafts are
// removed then.
bool WriteHiveDrafts(const std::vector<HiveFile*>& hives, std::uint64_t fileTime, std::vector<HiveDraft>& drafts,
                     std::string& error, const std::function<void(std::string_view step)>& beforeStep = nullptr);

// Whether hivex opens the file and walks every key and value of it.
bool HiveWalks(const std::string& path, std::string& error);

// Writes each changed hive whole to its draft, gives its changed keys and
// its header `fileTime` (a Windows FILETIME: hivex keeps the old times),
// syncs it, opens it again and walks every key and value. Only when every
// draft stands is each renamed over its hive, and the folder synced. False,
// with the reason, when a step before the renames fails: the drafts are
// removed and no hive is changed. `beforeStep`, when given, is called with
// the step's name before each step (a test stops the program there).
bool CommitHives(const std::vector<HiveFile*>& hives, std::uint64_t fileTime, std::string& error,
                 const std::function<void(std::string_view step)>& beforeStep = nullptr);

// Now as a Windows FILETIME: 100-nanosecond ticks since 1601.
std::uint64_t FileTimeNow();
