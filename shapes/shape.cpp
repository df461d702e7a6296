#include "shapes/shape.h"

#include "shapes/symbolresolver.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace plexo {

namespace {
SymbolResolver* gSymbolResolver = nullptr;
}

SymbolResolver* symbolResolver() {
    return gSymbolResolver;
}

SymbolResolver* setSymbolResolver(SymbolResolver* resolver) {
    SymbolResolver* previous = gSymbolResolver;
    gSymbolResolver = resolver;
    return previous;
}

SymbolNode* resolveSymbolInstance(Shape& instance) {
    SymbolResolver* resolver = symbolResolver();
    InfoSymbole& info = *instance.infoSymbole;
    SymbolNode* node = resolver ? resolver->findSymbol(info.name) : nullptr;
    if (node) {
        info.node = node;
        info.drawingAcquired = resolver->acquireAndBuildLabels(instance, *node);
    }
    return node;
}

Etiquette::Etiquette() = default;
Etiquette::Etiquette(std::string labelText, std::unique_ptr<Shape> labelShape)
    : text(std::move(labelText)), shape(std::move(labelShape)) {}
Etiquette::~Etiquette() = default;
Etiquette::Etiquette(Etiquette&&) noexcept = default;
Etiquette& Etiquette::operator=(Etiquette&&) noexcept = default;

InfoCalendrier InfoCalendrier::forToday() {
    // The user's local date.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    InfoCalendrier info;
    info.year = local.tm_year + 1900;
    info.month = local.tm_mon + 1;
    info.secondYear = info.year;
    info.secondMonth = info.month;
    info.day = local.tm_mday;
    info.monthCount = 3;
    return info;
}

Shape::Shape(int shapeKind, ShapeHolder* owner) : kind(shapeKind), folio(owner) {}

Shape::~Shape() {
    destroyKindRecord();
}

void Shape::createKindRecord() {
    switch (kind) {
    case kSymbol:
        if (!infoSymbole)
            infoSymbole = std::make_unique<InfoSymbole>();
        break;
    case kWire:
    case kCable:
        if (!infoFil)
            infoFil = std::make_unique<InfoFil>();
        break;
    case kTextZone:
    case kTerminal:
    case kSymbolText:
        if (!infoBorne)
            infoBorne = std::make_unique<InfoBorneSymbole>();
        break;
    case kCalendar:
        if (!infoCalendrier)
            infoCalendrier = std::make_unique<InfoCalendrier>(InfoCalendrier::forToday());
        break;
    case kSequence:
        if (!infoSequence)
            infoSequence = std::make_unique<InfoSequence>();
        break;
    default:
        break;
    }
}

void Shape::destroyKindRecord() {
    if (infoSymbole) {
        if (infoSymbole->node && infoSymbole->drawingAcquired && symbolResolver()) {
            infoSymbole->drawingAcquired = false;
            symbolResolver()->releaseSymbol(*this, *infoSymbole->node);
        }
        infoSymbole.reset();
    }
    infoFil.reset();
    infoBorne.reset();
    infoCalendrier.reset();
    infoSequence.reset();
    dib.reset();
    picture.reset();
}

void Shape::setText(const char* bytes, std::int32_t length) {
    if (!bytes || length <= 0)
        data.clear();
    else
        data.assign(bytes, static_cast<std::size_t>(length));
}

std::pair<std::string, std::string> Shape::splitLabels() const {
    const std::size_t tab = data.find('\t');
    if (tab == std::string::npos)
        return {data, std::string()};
    return {data.substr(0, tab), data.substr(tab + 1)};
}

void Shape::joinLabels(std::string_view first, std::string_view second) {
    data.assign(first.data(), first.size());
    data.push_back('\t');
    data.append(second.data(), second.size());
}

ShapeUndoCopy Shape::state() const {
    ShapeUndoCopy copy{kind, style, outline, angle, points, data, epx, epy, {}, {}, std::nullopt};
    if (infoSymbole) {
        for (const Etiquette& label : infoSymbole->labels)
            copy.labelTexts.push_back(label.text);
        copy.symbolBlock = infoSymbole->block;
    }
    if (infoCalendrier)
        copy.calendar = *infoCalendrier;
    return copy;
}

namespace {

// The record texts of the undo copy go back into the records (a label count
// that differs touches only the labels both have).
void restoreRecords(Shape& shape, const ShapeUndoCopy& state) {
    if (shape.infoSymbole) {
        auto& labels = shape.infoSymbole->labels;
        for (std::size_t i = 0; i < labels.size() && i < state.labelTexts.size(); ++i)
            labels[i].text = state.labelTexts[i];
        shape.infoSymbole->block = state.symbolBlock;
    }
    if (shape.infoCalendrier && state.calendar)
        *shape.infoCalendrier = *state.calendar;
}

} // namespace

void Shape::restoreState(const ShapeUndoCopy& state) {
    kind = state.kind;
    style = state.style;
    outline = state.outline;
    angle = state.angle;
    points = state.points;
    data = state.data;
    epx = state.epx;
    epy = state.epy;
    restoreRecords(*this, state);
}

void Shape::exchangeWithUndoCopy() {
    std::swap(undo.kind, kind);
    std::swap(undo.style, style);
    std::swap(undo.outline, outline);
    std::swap(undo.angle, angle);
    std::swap(undo.points, points);
    std::swap(undo.data, data);
    std::swap(undo.epx, epx);
    std::swap(undo.epy, epy);
    if (infoSymbole) {
        auto& labels = infoSymbole->labels;
        for (std::size_t i = 0; i < labels.size() && i < undo.labelTexts.size(); ++i)
            std::swap(labels[i].text, undo.labelTexts[i]);
        std::swap(infoSymbole->block, undo.symbolBlock);
    }
    if (infoCalendrier && undo.calendar)
        std::swap(*infoCalendrier, *undo.calendar);
}

void Shape::takeGeometryCopy() {
    geometryCopy.kind = kind;
    geometryCopy.angle = angle;
    geometryCopy.points = points;
    geometryCopy.epx = epx;
    geometryCopy.epy = epy;
}

void Shape::restoreGeometryCopy() {
    kind = geometryCopy.kind;
    angle = geometryCopy.angle;
    points = geometryCopy.points;
    epx = geometryCopy.epx;
    epy = geometryCopy.epy;
}

bool Shape::keepsNormalisedCorners(int shapeKind) {
    switch (shapeKind) {
    case kRectangle:
    case kRoundRect:
    case kOval:
    case kText:
    case kDibPicture:
    case kMetafilePicture:
    case kBitmapPicture:
    case kCalendar:
        return true;
    default:
        return false;
    }
}

void Shape::normaliseCorners() {
    if (!keepsNormalisedCorners(kind) || points.size() < 2)
        return;
    Point& a = points[0];
    Point& b = points[1];
    if (b.x < a.x)
        std::swap(a.x, b.x);
    if (b.y < a.y)
        std::swap(a.y, b.y);
}

bool Shape::isLargeEnough(std::int32_t secondaryGridStep) const {
    const std::int64_t limit = 2 * static_cast<std::int64_t>(secondaryGridStep);
    const std::int64_t width = std::llabs(static_cast<std::int64_t>(outline.right) - outline.left);
    const std::int64_t height = std::llabs(static_cast<std::int64_t>(outline.bottom) - outline.top);
    return !(width <= limit && height <= limit);
}

void Shape::negateIds() {
    id = -id;
    if (infoSymbole) {
        for (Etiquette& label : infoSymbole->labels) {
            if (label.shape)
                label.shape->id = -label.shape->id;
        }
    }
    if (infoFil) {
        infoFil->amontId = -infoFil->amontId;
        infoFil->avalId = -infoFil->avalId;
    }
}

} // namespace plexo
