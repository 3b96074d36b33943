#include "app/following.h"

#include <algorithm>
#include <utility>

#include "app/album_pictures.h"

namespace velmora {

void KeptRecord::Load(std::string* notice) {
    record_.Load(files_, notice);
    told_ = notice->starts_with(ReadRecord::kLeftAlone);
    // Written again at once without its damaged lines: the player is told of
    // them at this start only, however this game ends. A failure is told
    // at the next keeping.
    std::string ignored;
    if (record_.changed()) record_.Save(files_, &ignored);
}

void KeptRecord::Keep(bool now) {
    if (!record_.changed() || (!now && Clock::now() - written_ < std::chrono::seconds(5))) return;
    written_ = Clock::now();
    std::string why;
    if (record_.Save(files_, &why) || std::exchange(told_, true)) return;
    if (tell_) tell_(ReadRecord::kNotWritten + why);
}

std::unique_ptr<Form1> FollowedGame(Platform& platform, ReadRecord& record, Skip* skip,
                                    AutoSave* autoSave) {
    auto game = std::make_unique<Form1>(platform);
    game->SaveAtTheMenu(autoSave);
    game->FollowReading([&record, skip](const std::string& key) {
        if (skip) {
            skip->Message(key);
        } else {
            record.MarkRead(key);
        }
    });
    game->Watch([&record, skip](const std::string& id) {
        record.MarkSeen(id);
        if (skip && id == TheStory().digest.id) skip->Stop();
    });
    game->FollowPictures([&record](const std::string& file, const std::string& time) {
        const std::string key = album::Key(file, LightOf(file, time));
        const auto& pictures = TheAlbum();
        if (std::any_of(pictures.begin(), pictures.end(),
                        [&](const album::Picture& p) { return p.key == key; }))
            record.MarkPicture(key);
    });
    return game;
}

}  // namespace velmora
