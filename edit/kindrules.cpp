#include "edit/kindrules.h"

#include "shapes/shape.h"
#include "store/folio.h"

#include <algorithm>
#include <initializer_list>

namespace plexo {

namespace {

struct KindRule {
    std::initializer_list<int> kinds;
    std::initializer_list<int> accepted;
};

// The acceptance table of the schéma view's commands and style groups.
const KindRule kRules[] = {
    {{0}, {732, 1210, 1218, 1222, 1300, 1401, 1615, 1620, 1630, 1664, 1692}},
    {{1, 2, 3, 4, 5, 6}, {732, 1210, 1218, 1222, 1240, 1258, 1300, 1401, 1615, 1620, 1630, 1692}},
    {{7, 8}, {732, 1210, 1222, 1300, 1401, 1615, 1620, 1630, 1692}},
    {{9}, {710, 732, 1240, 1258, 1300, 1401, 1615, 1620, 1630, 1692}},
    {{10, 14, 19}, {732, 1240, 1258, 1300, 1401, 1615, 1620, 1630, 1692}},
    {{11, 13}, {710, 732, 1222, 1300, 1401, 1615, 1620, 1630}},
    {{16}, {710}},
    {{17}, {732, 1210, 1218, 1222, 1300, 1401, 1615, 1630, 1664, 1692}},
    {{18}, {732, 1210, 1222, 1300, 1401, 1615, 1630, 1664, 1692}},
    {{20, 21}, {1222, 1630, 1709}},
    {{22}, {732, 1210, 1218, 1222, 1240, 1258, 1300, 1401, 1615, 1630, 1692}},
};

bool contains(std::initializer_list<int> list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

bool namesItsFolio(int kind) {
    return (kind >= 0 && kind <= 9) || kind == 11 || kind == 13 || kind == 16 || kind == 17 || kind == 18;
}

} // namespace

bool kindAccepts(int kind, int command) {
    for (const KindRule& rule : kRules) {
        if (contains(rule.kinds, kind))
            return contains(rule.accepted, command);
    }
    return false;
}

bool selectionAccepts(const Folio& folio, int command) {
    return std::any_of(folio.objects.begin(), folio.objects.end(), [command](const auto& object) {
        return object->alive && object->selected && kindAccepts(object->kind, command);
    });
}

bool selectionNamesSomething(const Folio& folio) {
    for (const auto& object : folio.objects) {
        if (object->alive && object->selected && namesItsFolio(object->kind))
            return !object->data.empty();
    }
    return false;
}

} // namespace plexo
