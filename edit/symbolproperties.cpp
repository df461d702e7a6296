#include "edit/symbolproperties.h"

#include "base/textcodec.h"
#include "edit/propertystrings.h"
#include "shapes/shape.h"
#include "store/edittransaction.h"
#include "store/undo.h"

#include <algorithm>

namespace plexo {

namespace {

bool isTextByte(unsigned char c) {
    return c >= 0x20 || c == '\r' || c == '\n' || c == '\t';
}

// UTF-8 lines ended by "\n" to stored lines ended by CR LF, and back.
std::string withCrLf(const std::string& text) {
    std::string stored;
    for (const char c : text) {
        if (c == '\n')
            stored += "\r\n";
        else if (c != '\r')
            stored += c;
    }
    return stored;
}

std::string withoutCr(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

} // namespace

std::optional<std::string> commentsOfBlock(const std::string& block) {
    std::string text = block;
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    if (!std::all_of(text.begin(), text.end(),
                     [](char c) { return isTextByte(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    return text;
}

std::string blockOfComments(const std::string& comments) {
    return withCrLf(comments);
}

SymbolProperties loadSymbolProperties(const Shape& instance) {
    SymbolProperties values;
    values.name = cp1252ToUtf8(instance.data);
    if (const InfoSymbole* info = instance.infoSymbole.get()) {
        values.symbol = cp1252ToUtf8(info->name);
        for (const Etiquette& label : info->labels)
            values.labels.push_back(cp1252ToUtf8(label.text));
        const std::optional<std::string> comments = commentsOfBlock(info->block);
        values.commentsEditable = comments.has_value();
        if (comments)
            values.comments = cp1252ToUtf8(withoutCr(*comments));
    }
    return values;
}

PropertyProblem checkSymbolProperties(const SymbolProperties& values) {
    if (!toDocumentText(values.name) || !toDocumentText(values.comments))
        return propstr::kUnstorableText;
    for (const std::string& label : values.labels)
        if (!toDocumentText(label))
            return propstr::kUnstorableText;
    return {};
}

bool applySymbolProperties(saoDoc& document, Folio& folio, Shape& instance, const SymbolProperties& values) {
    if (!checkSymbolProperties(values).empty())
        return false;
    InfoSymbole* info = instance.infoSymbole.get();
    const std::string name = *toDocumentText(values.name);
    std::vector<std::string> labels;
    if (info)
        for (std::size_t i = 0; i < info->labels.size(); ++i)
            labels.push_back(i < values.labels.size() ? *toDocumentText(values.labels[i])
                                                      : info->labels[i].text);
    // An unchanged block is kept byte for byte, its terminating zero included.
    std::optional<std::string> block;
    if (info && values.commentsEditable) {
        const std::string comments = *toDocumentText(values.comments);
        const std::optional<std::string> now = commentsOfBlock(info->block);
        if (now && withoutCr(*now) != comments) {
            block = blockOfComments(comments);
            if (!info->block.empty() && info->block.back() == '\0')
                block->push_back('\0');
        }
    }
    bool labelsChanged = false;
    for (std::size_t i = 0; i < labels.size(); ++i)
        labelsChanged = labelsChanged || labels[i] != info->labels[i].text;
    if (name == instance.data && !labelsChanged && !block)
        return false;
    EditTransaction edit(document, folio, kUndoModification);
    edit.modify(instance, [&](Shape& changed) {
        changed.data = name;
        if (InfoSymbole* record = changed.infoSymbole.get()) {
            for (std::size_t i = 0; i < labels.size() && i < record->labels.size(); ++i)
                record->labels[i].text = labels[i];
            if (block)
                record->block = *block;
        }
    });
    edit.finish();
    return true;
}

} // namespace plexo
