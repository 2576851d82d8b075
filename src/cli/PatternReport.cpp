#include "cli/PatternReport.h"

#include <QCryptographicHash>
#include <QFile>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "core/files/MeasureText.h"
#include "core/services/Settings.h"
#include "core/engine/Session.h"

namespace tessary {

namespace {

std::string FormatText(const FormatVersion& v) {
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision);
}

// The embedded picture as extracted: its size and SHA-256, or nothing.
struct PictureFacts {
    bool present = false;
    qint64 bytes = 0;
    std::string sha256;
};

PictureFacts ReadPictureFacts(const PatternDocument& document) {
    PictureFacts facts;
    if (!document.hasEmbeddedPicture) return facts;
    QFile file(QString::fromStdString(document.tempPicturePath));
    if (!file.open(QIODevice::ReadOnly)) return facts;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    facts.present = true;
    facts.bytes = file.size();
    facts.sha256 = hash.result().toHex().toStdString();
    return facts;
}

std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

// Shortest text that reads back to the same single; JSON has no NaN.
std::string JsonNumber(float v) { return std::isfinite(v) ? SingleText(v) : "null"; }
std::string JsonBool(bool b) { return b ? "true" : "false"; }

}  // namespace

std::string PatternSummary(const Session& session, const std::string& path) {
    const PatternOptions& o = session.options;
    const char* unit = o.MetricPage ? "cm" : "in";
    const PictureFacts picture = ReadPictureFacts(session.file.document);
    std::ostringstream out;
    out << "File:    " << path << "\n"
        << "Format:  " << FormatText(session.file.document.formatRead) << "\n"
        << "Size:    " << FormatMeasure(o.DimensionWidth) << " x " << FormatMeasure(o.DimensionHeight) << " " << unit
        << " (" << SingleText(o.WidthTwips) << " x " << SingleText(o.HeightTwips) << " twips)\n"
        << "Lines:   " << session.store.OutLine.VisibleCount() << "\n"
        << "Shapes:  " << session.store.OutShape.VisibleCount() << "\n"
        << "Picture: " << (picture.present ? std::to_string(picture.bytes) + " bytes" : std::string("none")) << "\n";
    return out.str();
}

std::string PatternJson(const Session& session) {
    const PatternOptions& o = session.options;
    std::ostringstream out;
    out << "{\"format\": " << JsonString(FormatText(session.file.document.formatRead)) << ", \"options\": {"
        << "\"AspectLocked\": " << JsonBool(o.AspectLocked) << ", \"MarginTop\": " << JsonNumber(o.MarginTop)
        << ", \"MarginBottom\": " << JsonNumber(o.MarginBottom) << ", \"MarginLeft\": " << JsonNumber(o.MarginLeft)
        << ", \"MarginRight\": " << JsonNumber(o.MarginRight)
        << ", \"DimensionWidth\": " << JsonNumber(o.DimensionWidth)
        << ", \"DimensionHeight\": " << JsonNumber(o.DimensionHeight)
        << ", \"WidthTwips\": " << JsonNumber(o.WidthTwips) << ", \"HeightTwips\": " << JsonNumber(o.HeightTwips)
        << ", \"PenSizeValue\": " << JsonNumber(o.PenSizeValue) << ", \"PenColor\": " << o.PenColor
        << ", \"BandW\": " << JsonBool(o.BandW) << ", \"PenSizeText\": " << JsonString(o.PenSizeText)
        << ", \"BitmapPenSize\": " << JsonNumber(o.BitmapPenSize)
        << ", \"BitmapWidth\": " << JsonNumber(o.BitmapWidth) << ", \"BitmapHeight\": " << JsonNumber(o.BitmapHeight)
        << ", \"MetricPage\": " << JsonBool(o.MetricPage) << ", \"MetricPen\": " << JsonBool(o.MetricPen) << "}";

    // Lines and shapes as a file read fills the store: in slot order.
    out << ", \"lines\": [";
    const auto& lines = session.store.OutLine;
    bool first = true;
    for (std::int16_t i = 0; i < lines.Count(); ++i) {
        if (!lines.Visible(i)) continue;
        const LineElement& e = lines[i];
        out << (first ? "" : ",") << "[" << JsonNumber(e.X1) << "," << JsonNumber(e.Y1) << "," << JsonNumber(e.X2)
            << "," << JsonNumber(e.Y2) << "]";
        first = false;
    }
    out << "], \"shapes\": [";
    const auto& shapes = session.store.OutShape;
    first = true;
    for (std::int16_t i = 0; i < shapes.Count(); ++i) {
        if (!shapes.Visible(i)) continue;
        const ShapeElement& e = shapes[i];
        out << (first ? "" : ",") << "[" << e.Shape << "," << JsonNumber(e.Top) << "," << JsonNumber(e.Left) << ","
            << JsonNumber(e.Height) << "," << JsonNumber(e.Width) << "]";
        first = false;
    }
    out << "], \"picture\": ";
    const PictureFacts picture = ReadPictureFacts(session.file.document);
    if (picture.present) {
        out << "{\"bytes\": " << picture.bytes << ", \"sha256\": " << JsonString(picture.sha256) << "}";
    } else {
        out << "null";
    }
    out << "}\n";
    return out.str();
}

}  // namespace tessary
