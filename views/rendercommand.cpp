#include "views/rendercommand.h"

#include "base/format.h"
#include "base/textcodec.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/fontlist.h"
#include "shapes/units.h"
#include "store/folio.h"
#include "store/folioholder.h"
#include "store/foliorenderer.h"
#include "store/saodoc.h"
#include "views/dxfexport.h"
#include "views/print/documentpdf.h"
#include "views/qtsurface.h"
#include "views/qttextmeasurer.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace plexo {

namespace {

constexpr const char* kUsage =
    "Utilisation : plexo render FICHIER.dls [--folio N] [--zoom 0..8] [--library DOSSIER] "
    "-o SORTIE.png|SORTIE.svg|SORTIE.pdf|SORTIE.dxf\n";

QString qPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// The folio's size in pixels at the zoom, with the doubled last border lines.
bool imageSize(const Folio& folio, int zoom, QSize& size, std::string& error) {
    const Rect extent = folio.extent();
    const int width = toPixels(extent.right, zoom) + 2, height = toPixels(extent.bottom, zoom) + 2;
    if (width > kMaxImageSide || height > kMaxImageSide || width <= 0 || height <= 0) {
        error = format("Le folio %s est trop grand pour une image à ce zoom (%s pixels).",
                       cp1252ToUtf8(folio.number), std::to_string(width) + " × " + std::to_string(height));
        return false;
    }
    size = QSize(width, height);
    return true;
}

void paintFolio(Folio& folio, QPainter& painter, int zoom, bool pageBorders) {
    QtSurface surface(painter);
    FolioRenderOptions options;
    options.zoom = zoom;
    options.pageBorders = pageBorders;
    renderFolio(folio, surface, options);
}

// The folios "--folio" names: a 1-based position, else a folio number (ignoring case).
std::vector<Folio*> selectFolios(saoDoc& document, const std::string& which, std::string& error) {
    std::vector<Folio*> folios;
    if (which.empty()) {
        for (const auto& folio : document.folios)
            folios.push_back(folio.get());
        return folios;
    }
    const bool numeric =
        std::all_of(which.begin(), which.end(), [](unsigned char c) { return std::isdigit(c); });
    if (numeric && which.size() < 9) {
        const int position = std::atoi(which.c_str());
        if (position >= 1 && position <= static_cast<int>(document.folios.size()))
            return {document.folios[static_cast<std::size_t>(position - 1)].get()};
    }
    const std::string wanted = utf8ToCp1252(which);
    for (const auto& folio : document.folios) {
        if (folio->number.size() == wanted.size() &&
            std::equal(wanted.begin(), wanted.end(), folio->number.begin(),
                       [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); }))
            return {folio.get()};
    }
    error = format("Le folio %s n'existe pas (le document en compte %s).", which,
                   std::to_string(document.folios.size()));
    return folios;
}

std::vector<std::string> installedFaces() {
    std::vector<std::string> faces;
    for (const QString& family : QFontDatabase::families())
        faces.push_back(utf8ToCp1252(family.toStdString()));
    return faces;
}

int render(const RenderRequest& request) {
    QtTextMeasurerInstaller measurer;
    if (fontList().size() == 0)
        fontList().setInstalledFonts(installedFaces());
    Lib lib(request.library.string());
    lib.scanLocation();
    installLibrary(&lib);
    int status = 0;
    {
        saoDoc document;
        if (!document.open(request.input)) {
            std::fprintf(stderr, "%s\n",
                         format("Impossible d'ouvrir le document %s.", request.input.string()).c_str());
            installLibrary(nullptr);
            return 1;
        }
        std::string error;
        std::vector<Folio*> folios = selectFolios(document, request.folio, error);
        if (folios.empty()) {
            std::fprintf(stderr, "%s\n", error.empty() ? "Le document n'a aucun folio." : error.c_str());
            status = 1;
        } else if (request.format == RenderFormat::Pdf && request.folio.empty()) {
            // The whole document prints as one file, as the editor prints it.
            if (writeDocumentPdf(document, request.output, error))
                std::printf("%s\n", format("Écrit : %s", request.output.string()).c_str());
            else
                status = 1;
        } else if (request.format == RenderFormat::Pdf) {
            // One folio's sheets, in the order and as they print.
            FolioHolder hold(*folios.front());
            if (writeFolioPdf(*folios.front(), document.title(), request.output, error))
                std::printf("%s\n", format("Écrit : %s", request.output.string()).c_str());
            else
                status = 1;
        } else {
            // Without --folio every folio has its own numbered file, even a single one.
            const bool numbered = request.folio.empty();
            for (std::size_t i = 0; i < folios.size(); ++i) {
                const std::filesystem::path out =
                    numbered ? numberedOutput(request.output, static_cast<int>(i) + 1) : request.output;
                FolioHolder hold(*folios[i]);
                const bool written = request.format == RenderFormat::Png ? writeFolioPng(*folios[i], request.zoom, out, error)
                                     : request.format == RenderFormat::Dxf ? writeFolioDxf(*folios[i], out, error)
                                                                           : writeFolioSvg(*folios[i], request.zoom, out, error);
                if (written) {
                    std::printf("%s\n", format("Écrit : %s", out.string()).c_str());
                } else {
                    std::fprintf(stderr, "%s\n", error.c_str());
                    status = 1;
                }
            }
        }
        if (status != 0 && request.format == RenderFormat::Pdf)
            std::fprintf(stderr, "%s\n", error.c_str());
        document.close();
    }
    installLibrary(nullptr);
    return status;
}

} // namespace

bool renderFormatOf(const std::filesystem::path& path, RenderFormat& format) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png")
        format = RenderFormat::Png;
    else if (extension == ".svg")
        format = RenderFormat::Svg;
    else if (extension == ".pdf")
        format = RenderFormat::Pdf;
    else if (extension == ".dxf")
        format = RenderFormat::Dxf;
    else
        return false;
    return true;
}

std::filesystem::path numberedOutput(const std::filesystem::path& output, int n) {
    std::filesystem::path numbered = output;
    numbered.replace_filename(output.stem().string() + "-" + std::to_string(n) + output.extension().string());
    return numbered;
}

bool parseRenderArguments(int argc, char** argv, RenderRequest& request, std::string& error) {
    request = RenderRequest{};
    bool haveOutput = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) {
                error = format("L'option %s attend une valeur.", argument);
                return false;
            }
            into = argv[++i];
            return true;
        };
        std::string text;
        if (argument == "--folio") {
            if (!value(request.folio))
                return false;
        } else if (argument == "--zoom") {
            if (!value(text))
                return false;
            if (text.size() != 1 || text[0] < '0' || text[0] > '8') {
                error = format("Zoom incorrect : %s (de 0 à 8).", text);
                return false;
            }
            request.zoom = text[0] - '0';
        } else if (argument == "--library") {
            if (!value(text))
                return false;
            request.library = text;
        } else if (argument == "-o") {
            if (!value(text))
                return false;
            request.output = text;
            haveOutput = true;
        } else if (!argument.empty() && argument[0] == '-') {
            error = format("Option inconnue : %s.", argument);
            return false;
        } else if (request.input.empty()) {
            request.input = argument;
            if (!request.input.has_extension())
                request.input += ".dls";
        } else {
            error = format("Argument en trop : %s.", argument);
            return false;
        }
    }
    if (request.input.empty() || !haveOutput) {
        error = request.input.empty() ? "Il manque le document à dessiner."
                                      : "Il manque le fichier de sortie (-o).";
        return false;
    }
    if (!renderFormatOf(request.output, request.format)) {
        error = format("Format de sortie inconnu : %s (png, svg, pdf ou dxf).", request.output.string());
        return false;
    }
    return true;
}

QImage renderFolioImage(Folio& folio, int zoom) {
    QSize size;
    std::string error;
    if (!imageSize(folio, zoom, size, error))
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintFolio(folio, painter, zoom, true);
    painter.end();
    return image;
}

bool writeFolioPng(Folio& folio, int zoom, const std::filesystem::path& path, std::string& error) {
    QSize size;
    if (!imageSize(folio, zoom, size, error))
        return false;
    const QImage image = renderFolioImage(folio, zoom);
    if (image.isNull() || !image.save(qPath(path), "PNG")) {
        error = format("Impossible d'écrire %s.", path.string());
        return false;
    }
    return true;
}

bool writeFolioSvg(Folio& folio, int zoom, const std::filesystem::path& path, std::string& error) {
    QSize size;
    if (!imageSize(folio, zoom, size, error))
        return false;
    QSvgGenerator generator;
    generator.setFileName(qPath(path));
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QString::fromStdString(cp1252ToUtf8(folio.number)));
    QPainter painter;
    if (!painter.begin(&generator)) {
        error = format("Impossible d'écrire %s.", path.string());
        return false;
    }
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    paintFolio(folio, painter, zoom, true);
    if (!painter.end()) {
        error = format("Impossible d'écrire %s.", path.string());
        return false;
    }
    return true;
}

int runRenderCommand(int argc, char** argv, const std::filesystem::path& usualLibrary) {
    RenderRequest request;
    std::string error;
    if (!parseRenderArguments(argc, argv, request, error)) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (request.library.empty())
        request.library = usualLibrary;
    if (QGuiApplication::instance())
        return render(request);
    // Fonts need a GUI application; without a display it runs off screen.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    char name[] = "plexo";
    char* qtArgv[] = {name, nullptr};
    QGuiApplication application(qtArgc, qtArgv);
    return render(request);
}

} // namespace plexo
