#include "views/library/nodedrag.h"

#include "library/symboldrop.h"

#include <QMimeData>

namespace plexo {

QMimeData* nodeMimeData(const LibNode& node) {
    auto* data = new QMimeData;
    const std::string reference = dragReference(node);
    data->setData(kNodeMimeType, QByteArray(reference.data(), static_cast<qsizetype>(reference.size())));
    return data;
}

LibNode* draggedNode(Lib* lib, const QMimeData* data) {
    if (!lib || !data || !data->hasFormat(kNodeMimeType))
        return nullptr;
    const QByteArray bytes = data->data(kNodeMimeType);
    return nodeForDragReference(*lib,
                                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace plexo
