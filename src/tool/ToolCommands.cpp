#include "tool/ToolCommands.h"

#include "app/Companion.h"
#include "richtext/WPRichText.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ObjectStreamReader.h"
#include "tool/StreamJson.h"

#include <QFileInfo>
#include <QImage>

#include <cstdio>

namespace {

// The card of the default layout, 3.5 x 2 inches at 96 pixels per inch.
constexpr int kCardWidth = 336;
constexpr int kCardHeight = 192;
constexpr qint64 kMaxPictureBytes = 256 * 1024 * 1024;

QByteArray readAll(const QString& fileName) {
    std::optional<QByteArray> bytes = ReadStreamFile(fileName);
    if (!bytes)
        throw EStreamError(StreamMessage::CannotOpen(fileName));
    return std::move(*bytes);
}

void requireFile(const QString& fileName) {
    if (!QFileInfo(fileName).isFile())
        throw EStreamError(StreamMessage::CannotOpen(fileName));
}

} // namespace

int DumpCommand(const QString& fileName) {
    const QByteArray bytes = readAll(fileName);
    WriteStreamJson(bytes.constData(), bytes.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        ThrowStreamError(StreamMessage::WriteError);
    return 0;
}

int ResaveCommand(const QString& in, const QString& out) {
    requireFile(in);
    // As the program opens a design and saves it: the objects come back named
    // "Component"+N and are written at 100 %.
    TGBusinessCardPanel32 panel;
    CreateMasterRichText(&panel);
    panel.resize(kCardWidth, kCardHeight);
    panel.LoadFromFile(in);
    panel.SaveToFile(out);
    return 0;
}

int RenderCommand(const QString& in, const QString& out, double zoom) {
    requireFile(in);
    TGBusinessCardPanel32 panel;
    CreateMasterRichText(&panel);
    panel.resize(kCardWidth, kCardHeight);
    panel.SetShape(lsRectangle);
    panel.SetDrawOutline(true);
    panel.LoadFromFile(in);
    if (const std::optional<QString> art = ReadCompanionFile(in)) {
        const QFileInfo picture(*art);
        if (picture.isFile() && picture.size() <= kMaxPictureBytes)
            panel.LoadColorPicture(*art);
    }
    panel.SetZoom(float(zoom));
    QImage card = panel.CardImage().convertToFormat(QImage::Format_RGB32);
    card.setDevicePixelRatio(1.0);
    if (!card.save(out, "PNG"))
        throw EStreamError(StreamMessage::CannotCreate(out));
    return 0;
}
