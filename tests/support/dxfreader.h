// Reads a DXF file back with dxflib's reader, for the tests of the DXF export:
// the entities of the model space and of each block, with their layers, the
// header's variables and the layer table.
#pragma once

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace plexo::test {

struct ReadDxfEntity {
    std::string type; // "LINE", "LWPOLYLINE", "ARC", "CIRCLE", "ELLIPSE", "TEXT", "ATTRIB", "HATCH", "POINT", "INSERT"
    std::string layer;
    std::string lineType;
    int colour = 0;
    double x = 0, y = 0; // first point, centre or insertion point
    double x2 = 0, y2 = 0;
    double height = 0, angle = 0, scaleX = 1, scaleY = 1;
    std::string text;    // TEXT, ATTRIB value; HATCH pattern; INSERT block
    std::string tag;     // ATTRIB
    int vertices = 0;    // LWPOLYLINE
};

class DxfReader final : public DL_CreationAdapter {
public:
    bool readFile(const std::filesystem::path& path) {
        DL_Dxf dxf;
        return dxf.in(path.string(), this);
    }
    bool readText(const std::string& text) {
        std::istringstream stream(text);
        DL_Dxf dxf;
        return dxf.in(stream, this);
    }

    std::vector<ReadDxfEntity> entities;                      // model space
    std::map<std::string, std::vector<ReadDxfEntity>> blocks; // by name, the spaces left out
    std::map<std::string, std::vector<double>> variables;     // "$EXTMIN" → x, y, z
    std::map<std::string, int> intVariables;                  // "$INSUNITS" → 4
    std::map<std::string, std::string> stringVariables;       // "$DWGCODEPAGE"
    std::vector<std::string> layers;

    std::size_t count(const std::string& type, const std::string& layer = {}) const {
        return static_cast<std::size_t>(std::count_if(entities.begin(), entities.end(), [&](const auto& e) {
            return e.type == type && (layer.empty() || e.layer == layer);
        }));
    }
    std::size_t countOnLayer(const std::string& layer) const {
        return static_cast<std::size_t>(
            std::count_if(entities.begin(), entities.end(), [&](const auto& e) { return e.layer == layer; }));
    }

    void addLayer(const DL_LayerData& data) override { layers.push_back(data.name); }
    void addBlock(const DL_BlockData& data) override {
        block_ = data.name.empty() || data.name[0] == '*' ? std::string("*") : data.name;
        if (block_ != "*")
            blocks[block_];
    }
    void endBlock() override { block_.clear(); }

    void addPoint(const DL_PointData& d) override { add("POINT", d.x, d.y); }
    void addLine(const DL_LineData& d) override {
        ReadDxfEntity& e = add("LINE", d.x1, d.y1);
        e.x2 = d.x2;
        e.y2 = d.y2;
    }
    void addArc(const DL_ArcData& d) override {
        ReadDxfEntity& e = add("ARC", d.cx, d.cy);
        e.x2 = d.angle1;
        e.y2 = d.angle2;
        e.height = d.radius;
    }
    void addCircle(const DL_CircleData& d) override { add("CIRCLE", d.cx, d.cy).height = d.radius; }
    void addEllipse(const DL_EllipseData& d) override {
        ReadDxfEntity& e = add("ELLIPSE", d.cx, d.cy);
        e.x2 = d.mx;
        e.y2 = d.my;
        e.height = d.ratio;
    }
    void addPolyline(const DL_PolylineData& d) override {
        ReadDxfEntity& e = add("LWPOLYLINE", 0, 0);
        e.vertices = static_cast<int>(d.number);
        vertex_ = 0;
    }
    void addVertex(const DL_VertexData& d) override {
        if (vertex_++ == 0 && last_) {
            last_->x = d.x;
            last_->y = d.y;
        }
    }
    void addText(const DL_TextData& d) override {
        ReadDxfEntity& e = add("TEXT", d.ipx, d.ipy);
        e.text = d.text;
        e.height = d.height;
        e.angle = d.angle;
    }
    void addAttribute(const DL_AttributeData& d) override {
        ReadDxfEntity& e = add("ATTRIB", d.ipx, d.ipy);
        e.text = d.text;
        e.tag = d.tag;
        e.height = d.height;
    }
    void addHatch(const DL_HatchData& d) override { add("HATCH", 0, 0).text = d.pattern; }
    void addInsert(const DL_InsertData& d) override {
        ReadDxfEntity& e = add("INSERT", d.ipx, d.ipy);
        e.text = d.name;
        e.scaleX = d.sx;
        e.scaleY = d.sy;
        e.angle = d.angle;
    }

    void setVariableVector(const std::string& key, double v1, double v2, double v3, int) override {
        variables[key] = {v1, v2, v3};
    }
    void setVariableInt(const std::string& key, int value, int) override { intVariables[key] = value; }
    void setVariableString(const std::string& key, const std::string& value, int) override {
        stringVariables[key] = value;
    }

private:
    ReadDxfEntity& add(const char* type, double x, double y) {
        ReadDxfEntity e;
        e.type = type;
        e.layer = getAttributes().getLayer();
        e.lineType = getAttributes().getLinetype();
        e.colour = getAttributes().getColor();
        e.x = x;
        e.y = y;
        std::vector<ReadDxfEntity>& list = block_.empty() ? entities : block_ == "*" ? spaces_ : blocks[block_];
        list.push_back(e);
        last_ = &list.back();
        return list.back();
    }

    std::string block_;
    std::vector<ReadDxfEntity> spaces_;
    ReadDxfEntity* last_ = nullptr;
    int vertex_ = 0;
};

} // namespace plexo::test
