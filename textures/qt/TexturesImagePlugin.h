#pragma once

#include <QImageIOHandler>
#include <QImageIOPlugin>

namespace textures {

// Reads BLP and TGA pictures for QImage and QImageReader through the Qt-free decoders.
class TextureImageHandler : public QImageIOHandler {
  public:
    bool canRead() const override;
    bool read(QImage* image) override;

    // True when the device's first bytes are a BLP1 or a plausible TGA header (peeked, not
    // consumed).
    static bool canRead(QIODevice* device);
};

// The image-format plugin, built in statically and imported into every program.
class TexturesImagePlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "textures_plugin.json")

  public:
    Capabilities capabilities(QIODevice* device, const QByteArray& format) const override;
    QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override;
};

} // namespace textures
