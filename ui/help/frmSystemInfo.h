// A small window of system information: the operating system, kernel, processors, memory,
// the Qt version and the screen, for a user to read out or copy into a report.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace dualis {

class cAppInfo;
struct SystemFacts;

class frmSystemInfo : public QWidget {
    Q_OBJECT
  public:
    frmSystemInfo(const cAppInfo& appInfo, QWidget* parent = nullptr);

    // Gathers the facts anew and shows them.
    void Refresh();
    QString Text() const;

  private:
    SystemFacts Gather() const;

    const cAppInfo& appInfo_;
    QPlainTextEdit* txtSystemInfo_;
};

}  // namespace dualis
