#include "offline/image_place.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "lang/texts.h"

namespace offline {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDraftSuffix = ".veilmark-new";

// Whether a path given by the installation stays below its root: no part
// of it climbs out ("..").
bool StaysBelow(const std::string& relative)
{
    const fs::path path(relative);
    return std::none_of(path.begin(), path.end(), [](const fs::path& part) { return part == ".."; });
}

bool SameBytes(const std::string& a, const std::string& b)
{
    std::ifstream first(a, std::ios::binary);
    std::ifstream second(b, std::ios::binary);
    return first && second &&
           std::equal(std::istreambuf_iterator<char>(first), {}, std::istreambuf_iterator<char>(second), {});
}

std::string WithoutDraftSuffix(const std::string& draft) { return draft.substr(0, draft.size() - kDraftSuffix.size()); }

}  // namespace

ImagePlace::ImagePlace(GuestAppliance& guest, std::string mount, std::string mirror, Language language,
                       bool (*stopRequested)())
    : m_guest(guest),
      m_mount(std::move(mount)),
      m_mirror(std::move(mirror)),
      m_language(language),
      m_stopRequested(stopRequested)
{
}

void ImagePlace::Fetch(const std::string& path)
{
    if (const std::optional<std::string> inside = InImage(path))
        Download(*inside);
}

void ImagePlace::FetchFolder(const std::string& path)
{
    if (const std::optional<std::string> inside = InImage(path))
        for (const std::string& name : m_guest.Entries(*inside))
            Download(*inside + "/" + name);
}

std::string ImagePlace::Shown(const std::string& path) const
{
    return path.starts_with(m_mirror) ? path.substr(m_mirror.size()) : path;
}

bool ImagePlace::Commit(const std::vector<HiveFile*>& hives, const std::vector<std::string>& backups,
                        std::uint64_t fileTime, std::string& error, const CommitStep& beforeStep)
{
    // Backups first: each in place whole before any hive changes.
    for (const std::string& backup : backups)
        if (!Place(backup, error))
            return false;
    if (!backups.empty() && !m_guest.Sync())
        return Failed(error);

    std::vector<HiveDraft> drafts;
    if (!WriteHiveDrafts(hives, fileTime, drafts, error, beforeStep))
        return false;
    std::vector<std::string> placed;  // the drafts inside the image
    const bool ready = PutDrafts(drafts, placed, error);
    for (const HiveDraft& draft : drafts)
        unlink(draft.path.c_str());
    // A stop asked for before the renames: no hive changes.
    if (!ready || m_stopRequested()) {
        for (const std::string& draft : placed)
            m_guest.Remove(draft);
        if (ready)
            error = Text(TextId::StoppedBySignal, m_language);
        return false;
    }
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (beforeStep)
            beforeStep("replace hive");
        if (!m_guest.Rename(placed[i], WithoutDraftSuffix(placed[i]))) {
            // The hives renamed before stand as they should; this one and
            // those after it stand as they were.
            const bool failed = Failed(error);
            for (std::size_t j = i; j < placed.size(); ++j)
                m_guest.Remove(placed[j]);
            return failed;
        }
    }
    return m_guest.Sync() || Failed(error);
}

bool ImagePlace::Failed(std::string& error) const
{
    error = m_guest.Error();
    return false;
}

// The path inside the image of a path of the mirror, as the filesystem
// spells it; none when it is not there or climbs out of the mirror. With
// `toMake`, the parts that are missing as given.
std::optional<std::string> ImagePlace::InImage(const std::string& path, bool toMake)
{
    if (!path.starts_with(m_mirror) || !StaysBelow(path.substr(m_mirror.size())))
        return std::nullopt;
    if (const auto known = m_copied.find(path); known != m_copied.end())
        return known->second;
    const std::string inside = m_mount + path.substr(m_mirror.size());
    return toMake ? m_guest.CasedPathToMake(inside) : m_guest.CasedPath(inside);
}

// Copies the file at `inside`, when it is one, to the mirror, at the same
// path, and remembers where it came from.
void ImagePlace::Download(const std::string& inside)
{
    const std::string local = m_mirror + inside.substr(m_mount.size());
    std::error_code ignored;
    fs::create_directories(fs::path(local).parent_path(), ignored);
    if (m_guest.Download(inside, local))
        m_copied[local] = inside;
}

// Uploads the mirror's file as its draft in the image, then renames the
// draft over it.
bool ImagePlace::Place(const std::string& file, std::string& error)
{
    std::string draft;
    return Upload(file, file, draft, error) && (m_guest.Rename(draft, WithoutDraftSuffix(draft)) || Failed(error));
}

// Uploads `from` as the draft of the mirror path `to` inside the image,
// making the folders it needs.
bool ImagePlace::Upload(const std::string& from, const std::string& to, std::string& draft, std::string& error)
{
    const bool copied = m_copied.contains(to);
    const std::optional<std::string> inside = InImage(to, true);
    if (!inside) {
        error = Shown(to) + ": " + m_guest.Error();
        return false;
    }
    // The folder of a file copied from the image is there; another's is
    // made, with any folder above it that is missing.
    const std::string folder = inside->substr(0, inside->rfind('/'));
    if (!copied && !folder.empty() && !m_guest.MakeFolders(folder))
        return Failed(error);
    draft = *inside + std::string(kDraftSuffix);
    return m_guest.Upload(from, draft) || Failed(error);
}

// Each hive's draft uploaded beside the hive in the image, the disk synced,
// then each read back, compared with what was written and walked.
bool ImagePlace::PutDrafts(const std::vector<HiveDraft>& drafts, std::vector<std::string>& placed, std::string& error)
{
    for (const HiveDraft& draft : drafts) {
        std::string inside;
        const bool uploaded = Upload(draft.path, draft.hive->Path(), inside, error);
        if (!inside.empty())
            placed.push_back(inside);
        if (!uploaded)
            return false;
    }
    if (!m_guest.Sync())
        return Failed(error);
    for (std::size_t i = 0; i < drafts.size(); ++i) {
        const std::string back = drafts[i].path + ".back";
        bool same = m_guest.Download(placed[i], back);
        if (!same)
            Failed(error);
        else if (!(same = SameBytes(back, drafts[i].path)))
            error = Shown(drafts[i].hive->Path()) + ": read back other than written";
        else
            same = HiveWalks(back, error);
        unlink(back.c_str());
        if (!same)
            return false;
    }
    return true;
}

}  // namespace offline
