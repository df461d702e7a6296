#include "app/icons.h"

#include <QFile>

namespace plexo {
namespace {

QIcon svgIcon(const QString& name) {
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

} // namespace

QIcon frameIcon() {
    return svgIcon("frame");
}

QIcon documentIcon() {
    return svgIcon("document");
}

QIcon commandIcon(const QString& name) {
    return svgIcon(name);
}

} // namespace plexo
