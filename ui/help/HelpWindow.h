// The help window: the user manual compiled into the program, shown in a text browser that is
// opened at its start or at the section a help request names.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QTextDocument;

namespace dualis {

// Gives each heading of the manual the anchor that the contents links and help contexts name,
// and room above it. The installed HTML copy of the manual is prepared the same way.
void PrepareHeadings(QTextDocument& document);

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window in front and the section of `anchor`, or the manual's start when the
    // anchor is empty or names no section.
    void ShowTopic(const QString& anchor);

    QTextBrowser* Browser() const { return txtManual_; }

  private:
    void LoadManual();

    QTextBrowser* txtManual_;
};

// The help viewer the application installs behind its help calls: the contents command (11)
// opens the manual's start, the options dialog's contexts 3000 and 3100 the sections on the
// Compare and the Display options. One window serves every request; it is not modal.
void ShowHelp(int helpCommand, int contextId);

// The window ShowHelp uses; none before the first request.
HelpWindow* SharedHelpWindow();

}  // namespace dualis
