// The files of an installation inside a disk image, as the passes see
// them: read into a mirror folder of this machine as they are asked for,
// and put back inside the image whole: backups first, then each changed
// hive beside its original, synced, read back, compared and walked, then
// renamed over it and synced. A path of the mirror is the path inside the
// filesystem below the mirror's root.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "lang/languages.h"
#include "offline/installation_place.h"
#include "platform/guest/guest_appliance.h"
#include "platform/hive/hive_commit.h"

namespace offline {

class ImagePlace final : public IInstallationPlace {
public:
    // The filesystem mounted at `mount` in the appliance, mirrored in the
    // folder `mirror`; `stopRequested` says whether a signal came, after
    // which no hive is renamed.
    ImagePlace(GuestAppliance& guest, std::string mount, std::string mirror, Language language,
               bool (*stopRequested)());

    void Fetch(const std::string& path) override;
    void FetchFolder(const std::string& path) override;
    std::string Shown(const std::string& path) const override;
    bool Commit(const std::vector<HiveFile*>& hives, const std::vector<std::string>& backups, std::uint64_t fileTime,
                std::string& error, const CommitStep& beforeStep) override;

private:
    bool Failed(std::string& error) const;
    std::optional<std::string> InImage(const std::string& path, bool toMake = false);
    void Download(const std::string& inside);
    bool Place(const std::string& file, std::string& error);
    bool Upload(const std::string& from, const std::string& to, std::string& draft, std::string& error);
    bool PutDrafts(const std::vector<HiveDraft>& drafts, std::vector<std::string>& placed, std::string& error);

    GuestAppliance& m_guest;
    std::string m_mount;
    std::string m_mirror;
    Language m_language;
    bool (*m_stopRequested)();
    std::map<std::string, std::string> m_copied;  // each file of the mirror and its path inside the image
};

}  // namespace offline
