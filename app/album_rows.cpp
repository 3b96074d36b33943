#include "app/album_rows.h"

#include "app/album_pictures.h"
#include "backends/qt/picture_files.h"

namespace velmora {

qt::AlbumView AlbumRows(Files& gameFiles, const ReadRecord& record) {
    qt::AlbumView view;
    for (const album::Picture& picture : TheAlbum()) {
        view.tiles.push_back({picture, record.PictureSeen(picture.key)});
    }
    view.load = [&gameFiles](const std::string& file) { return qt::LoadPicture(gameFiles, file); };
    return view;
}

}  // namespace velmora
