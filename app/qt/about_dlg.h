// The about box, from dialog template 100.
#ifndef ORVELIN_ABOUT_DLG_H
#define ORVELIN_ABOUT_DLG_H

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    int DoModal() { return exec(); }
};

#endif
