#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <QTextItem>

namespace orvanek::testing {

// A paint device that keeps the texts painted on it and draws nothing: a widget rendered
// onto it, or a painter handed to a painting routine, leaves the words a user would read.
class TextRecorder : public QPaintDevice {
  public:
    TextRecorder() = default;
    QPaintEngine *paintEngine() const override { return &engine_; }
    const QStringList &texts() const { return engine_.texts; }
    void clear() { engine_.texts.clear(); }

  protected:
    // A page of 4000 x 3000 pixels at 96 dpi, 32 bits deep.
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return 4000;
        case PdmHeight:
            return 3000;
        case PdmWidthMM:
        case PdmHeightMM:
            return metric == PdmWidthMM ? 1058 : 794;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return metric == PdmNumColors ? 0x7fffffff : 96; // the resolutions
        }
    }

  private:
    class Engine : public QPaintEngine {
      public:
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawImage(const QRectF &, const QImage &, const QRectF &,
                       Qt::ImageConversionFlags) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath &) override {}
        void drawTextItem(const QPointF &, const QTextItem &item) override { texts << item.text(); }
        Type type() const override { return QPaintEngine::User; }
        QStringList texts;
    };
    mutable Engine engine_;
};

} // namespace orvanek::testing
