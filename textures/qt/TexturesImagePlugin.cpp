#include "textures/qt/TexturesImagePlugin.h"

#include "textures/image_file.h"
#include "textures/texture_error.h"

#include <QIODevice>
#include <QImage>

namespace textures {

namespace {

// Enough for any header the sniffing looks at.
constexpr qint64 peekSize = 64;

Bytes bytesOf(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.constData()),
            static_cast<std::size_t>(data.size())};
}

bool isOurs(const QByteArray& head) {
    const auto format = sniffFormat(bytesOf(head));
    return format == ImageFormat::Blp || format == ImageFormat::Tga;
}

} // namespace

bool TextureImageHandler::canRead(QIODevice* device) {
    return device && isOurs(device->peek(peekSize));
}

bool TextureImageHandler::canRead() const {
    if (!canRead(device()))
        return false;
    const auto format = sniffFormat(bytesOf(device()->peek(peekSize)));
    setFormat(format == ImageFormat::Blp ? "blp" : "tga");
    return true;
}

bool TextureImageHandler::read(QImage* image) {
    try {
        const QByteArray data = device()->readAll();
        const auto decoded = decodeImage(bytesOf(data));
        QImage result(decoded.width, decoded.height, QImage::Format_RGBA8888);
        if (result.isNull())
            return false;
        for (int y = 0; y < decoded.height; ++y)
            std::copy_n(decoded.at(0, y), static_cast<std::size_t>(decoded.width) * 4,
                        result.scanLine(y));
        *image = std::move(result);
        return true;
    } catch (const TextureError& error) {
        qWarning("%s", error.what());
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

QImageIOPlugin::Capabilities TexturesImagePlugin::capabilities(QIODevice* device,
                                                               const QByteArray& format) const {
    const QByteArray name = format.toLower();
    if (name == "blp" || name == "tga")
        return CanRead;
    if (!format.isEmpty() || !device || !device->isOpen())
        return {};
    return TextureImageHandler::canRead(device) ? CanRead : Capabilities();
}

QImageIOHandler* TexturesImagePlugin::create(QIODevice* device, const QByteArray& format) const {
    auto* handler = new TextureImageHandler;
    handler->setDevice(device);
    handler->setFormat(format);
    return handler;
}

} // namespace textures
