#include "cachedscrollbar.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStyleOptionSlider>

bool CachedScrollBar::Key::operator==(const Key &other) const
{
    return size == other.size && pixelRatio == other.pixelRatio && style == other.style &&
           palette == other.palette && state == other.state && direction == other.direction &&
           minimum == other.minimum && maximum == other.maximum && sliderPosition == other.sliderPosition &&
           sliderValue == other.sliderValue && singleStep == other.singleStep && pageStep == other.pageStep &&
           upsideDown == other.upsideDown;
}

namespace {

// The bar as it was before the last changes: a row that leaves the list and comes back.
constexpr std::size_t maxPictures = 3;

bool coversWholly(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return true;
    // Premultiplied, as a transparent pixmap's image already is: the alpha is read as it stands.
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        if (std::any_of(line, line + image.width(), [](QRgb pixel) { return qAlpha(pixel) != 255; }))
            return false;
    }
    return true;
}

} // namespace

CachedScrollBar::CachedScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent)
{
}

CachedScrollBar::Key CachedScrollBar::keyOf(const QStyleOptionSlider &option, qreal pixelRatio,
                                            const QStyle *style)
{
    Key key;
    key.size = option.rect.size();
    key.pixelRatio = pixelRatio;
    key.style = style;
    key.palette = option.palette.cacheKey();
    key.state = option.state;
    key.direction = option.direction;
    key.minimum = option.minimum;
    key.maximum = option.maximum;
    key.sliderPosition = option.sliderPosition;
    key.sliderValue = option.sliderValue;
    key.singleStep = option.singleStep;
    key.pageStep = option.pageStep;
    key.upsideDown = option.upsideDown;
    return key;
}

void CachedScrollBar::changeEvent(QEvent *event)
{
    // A new style may take the place of the one a picture was drawn with, and may leave the bar's
    // edge to what lies behind it.
    if (event->type() == QEvent::StyleChange) {
        m_pictures.clear();
        setAttribute(Qt::WA_OpaquePaintEvent, false);
    }
    QScrollBar::changeEvent(event);
}

bool CachedScrollBar::paintsPlain() const
{
    // A bar that fades in and out is animated by the style from the widget.
    return underMouse() || isSliderDown() || QGuiApplication::mouseButtons() != Qt::NoButton ||
           style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, this);
}

void CachedScrollBar::paintEvent(QPaintEvent *event)
{
    if (paintsPlain()) {
        if (!m_pictures.empty() && testAttribute(Qt::WA_OpaquePaintEvent)) {
            // Nothing behind an opaque bar was painted: what the style leaves uncovered shows the
            // bar's own last picture rather than stale pixels.
            QPainter(this).drawPixmap(0, 0, m_pictures.front().picture);
        }
        QScrollBar::paintEvent(event);
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    const qreal pixelRatio = devicePixelRatioF();
    const Key key = keyOf(option, pixelRatio, style());
    const auto kept = std::find_if(m_pictures.begin(), m_pictures.end(),
                                   [&key](const Picture &picture) { return picture.key == key; });
    if (kept != m_pictures.end()) {
        std::rotate(m_pictures.begin(), kept, kept + 1);
    } else {
        QPixmap picture(rect().size() * pixelRatio);
        picture.setDevicePixelRatio(pixelRatio);
        picture.fill(Qt::transparent);
        {
            QPainter painter(&picture);
            style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
        }
        if (m_pictures.size() >= maxPictures)
            m_pictures.pop_back();
        m_pictures.insert(m_pictures.begin(), {key, picture});
        setAttribute(Qt::WA_OpaquePaintEvent, coversWholly(picture.toImage()));
    }
    QPainter(this).drawPixmap(0, 0, m_pictures.front().picture);
}
