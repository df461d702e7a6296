// A document kind registered with the document manager: which files it opens,
// how it makes its document and the view that shows it.
#pragma once

#include "store/document.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace plexo {

struct DocumentKind {
    QString name;            // shown in the file dialogs, e.g. "Schéma"
    QStringList extensions;  // lower case, without dot, the first is the default: {"dls"}
    std::function<std::unique_ptr<Document>()> createDocument;
    // Makes a view of the document inside parent; the view observes the document.
    std::function<QWidget*(Document& document, QWidget* parent)> createView;
};

} // namespace plexo
