#pragma once

#include "common/canvas.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QLine>
#include <QRect>
#include <cstdint>
#include <memory>
#include <vector>

class QPainter;

namespace common {

class PixelWriter;

// A set of packed whole-pixel shapes, cheap to fill and clear many thousand times a redraw.
class PixelShapeSet {
  public:
    // True when the key was not in the set yet.
    bool insert(std::uint64_t key);
    void clear();

  private:
    void grow();
    std::vector<std::uint64_t> slots_; // open addressing; 0 marks a free slot
    std::size_t count_ = 0;
    bool hasZero_ = false;
};

// A canvas that paints with a QPainter onto a surface of the given pixel size. unitsPerPixel
// converts the logic's units at output (15 for twips, 1 for pixels). Runs of lines or of
// rectangles in one colour are drawn in one call, in the order they came; finish() (or the
// destructor, which must run before the painter ends) draws what is pending.
class QtCanvas : public Canvas {
  public:
    QtCanvas(QPainter& painter, int pixelWidth, int pixelHeight, double unitsPerPixel,
             QColor background);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    double width() const override { return pixelWidth_ * unitsPerPixel_; }
    double height() const override { return pixelHeight_ * unitsPerPixel_; }
    void clear() override;
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void edges(std::span<const CanvasPoint> points, std::span<const CanvasEdge> edges,
               Colour colour) override;
    void rectangle(double x1, double y1, double x2, double y2, Colour colour) override;
    void circle(double x, double y, double radius, Colour colour) override;
    void stretchedPicture(const std::shared_ptr<const RgbaImage>& picture, double x, double y,
                          double width, double height) override;
    void text(double x, double y, const std::string& text, Colour colour) override;
    void finish() override;

  private:
    enum class Pending { None, Lines, Rectangles };
    // A point in whole pixels, when it lies close enough to the surface to be drawn directly.
    struct PixelPoint {
        int x = 0;
        int y = 0;
        bool direct = false;
    };
    double px(double units) const { return units / unitsPerPixel_; }
    // True for a line wholly beyond one edge of the surface, which cannot show. Both run for
    // every edge of a mesh, so they are kept inline in the loops.
    [[gnu::always_inline]] inline bool beyondAnEdge(double x1, double y1, double x2,
                                                    double y2) const;
    // A line in whole pixels written straight into the image.
    [[gnu::always_inline]] inline void directLine(QLine line, Colour colour);
    void pend(Pending kind, Colour colour);
    // The image the painter draws on, when shapes can be written into its pixels directly.
    QImage* directTarget() const;
    QPainter& painter_;
    std::unique_ptr<PixelWriter> direct_; // set when shapes go straight into the image's pixels
    Pending directRun_ = Pending::None;   // the kind and colour of the last direct shape
    Colour directColour_;
    PixelShapeSet drawnDirect_; // long lines of the current direct run
    Pending pending_ = Pending::None;
    Colour pendingColour_;
    std::vector<QLine> lines_;
    std::vector<QLineF> farLines_;
    std::vector<QRect> rectangles_;
    PixelShapeSet drawn_; // shapes of the pending run, in whole pixels
    std::vector<PixelPoint> pixelPoints_;
    int pixelWidth_;
    int pixelHeight_;
    double unitsPerPixel_;
    QColor background_;
    // The last picture painted, converted once for the painter; kept while the same picture
    // object comes back.
    std::weak_ptr<const RgbaImage> convertedFrom_;
    QImage converted_;
};

// A canvas that draws into an image of its own (offscreen redraws, benchmarks, tests).
class ImageCanvas : public Canvas {
  public:
    ImageCanvas(int pixelWidth, int pixelHeight, double unitsPerPixel, QColor background);
    ~ImageCanvas() override;

    // The image with everything drawn so far.
    const QImage& image() {
        finish();
        return image_;
    }
    double width() const override;
    double height() const override;
    void clear() override;
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void edges(std::span<const CanvasPoint> points, std::span<const CanvasEdge> edges,
               Colour colour) override;
    void rectangle(double x1, double y1, double x2, double y2, Colour colour) override;
    void circle(double x, double y, double radius, Colour colour) override;
    void stretchedPicture(const std::shared_ptr<const RgbaImage>& picture, double x, double y,
                          double width, double height) override;
    void text(double x, double y, const std::string& text, Colour colour) override;
    void finish() override;

  private:
    QImage image_;
    QPainter* painter_;
    QtCanvas* canvas_;
};

} // namespace common
