// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPixmap>

namespace pc {

namespace {

// The first local file among the dragged URLs, or an empty text.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

PictureView::PictureView(QWidget* parent)
    : QLabel(parent)
{
    setAcceptDrops(true);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setFrameShape(QFrame::StyledPanel);
    showScaled();
}

void PictureView::setPicture(const QImage& picture)
{
    picture_ = picture;
    showScaled();
}

void PictureView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void PictureView::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    emit fileDropped(path);
}

void PictureView::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    showScaled();
}

void PictureView::showScaled()
{
    if (picture_.isNull()) {
        setPixmap({});
        setText(QStringLiteral("画像なし\n\nここに画像ファイルを\nドロップできます"));
        return;
    }
    const QSize room = contentsRect().size();
    setPixmap(QPixmap::fromImage(picture_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

} // namespace pc
