#pragma once

#include <QByteArray>
#include <QString>

class QColor;
class QImage;

// Qt reads GIF but cannot write it, and the program's figures and answer
// marks are GIF files. This writes a single-image GIF89a: a global colour
// table made of the image's own colours, LZW-compressed pixel data.

// The GIF file of image, or an empty array when the image holds more than 256
// distinct colours (reduce it first with one of the functions below) or is
// empty. Alpha is ignored: pictures are drawn on white.
QByteArray EncodeGif(const QImage& image);

// Writes EncodeGif(image) to path through a temporary file; false (with the
// reason in *error when given) when the image cannot be encoded or the file
// cannot be written.
bool WriteGif(const QImage& image, const QString& path, QString* error = nullptr);

// Number of distinct colours (alpha ignored).
int CountColours(const QImage& image);

// Drawings in one ink on white, antialiased: every pixel becomes one of
// `levels` (2 to 256) evenly spaced mixes of white and the ink, judged by the
// channel in which the ink differs most from white. Soft edges keep a few
// steps, and the picture fits a small palette.
QImage ReduceToInkShades(const QImage& image, const QColor& ink, int levels);
