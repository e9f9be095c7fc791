#pragma once
// Every fixed text a window shows, in the order its controls were made, one "kind: text" entry
// each: the caption, menu titles and items, captioned frames and panels, labels, buttons, check
// boxes, list items, the connect switch, and for each waveform plot its title, every curve's
// title and colour, and its background colour. Tests compare the whole list with the texts
// the window must show, so a changed or lost text fails one readable test.

#include <QStringList>

class QWidget;

namespace tarvel::test_support {

QStringList WindowTexts(QWidget& window);

}  // namespace tarvel::test_support
