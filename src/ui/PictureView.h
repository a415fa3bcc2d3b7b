// SPDX-License-Identifier: GPL-3.0-or-later
// A picture view that shows a picture scaled to fit, and reports picture files
// dropped on it.
#pragma once

#include <QImage>
#include <QLabel>

namespace pc {

class PictureView : public QLabel {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    // A null image empties the view.
    void setPicture(const QImage& picture);

signals:
    // A local file was dropped on the view; the receiver decides what to read.
    void fileDropped(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showScaled();

    QImage picture_;
};

} // namespace pc
