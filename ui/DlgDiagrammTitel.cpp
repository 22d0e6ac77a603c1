// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DlgDiagrammTitel.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vk::ui {

TDiagrammTitelDlg::TDiagrammTitelDlg(QWidget* eltern) : QDialog(eltern) {
  setObjectName("TDiagrammTitelDlg");
  setWindowTitle("Chart Titles");
  EdTitelOben = new QLineEdit(this);
  EdTitelOben->setObjectName("EdTitelOben");
  EdTitelOben->setMinimumWidth(320);
  EdTitelUnten = new QLineEdit(this);
  EdTitelUnten->setObjectName("EdTitelUnten");
  auto* form = new QFormLayout;
  form->addRow("Top", EdTitelOben);
  form->addRow("Bottom", EdTitelUnten);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(knoepfe);
}

}  // namespace vk::ui
