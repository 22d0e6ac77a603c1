// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

namespace vk::ui {

// Edits the chart title and the x-axis title.
class TDiagrammTitelDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TDiagrammTitelDlg(QWidget* eltern = nullptr);

  QLineEdit* EdTitelOben;
  QLineEdit* EdTitelUnten;
};

}  // namespace vk::ui
