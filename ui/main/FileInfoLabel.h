// A file information label (lblFileInformation): the file's name and counts, each line cut
// with "…" where it is wider than the label, so that a narrow pane's label never runs on into
// the other's. The whole text is then its tooltip.
#pragma once

#include <QLabel>

namespace dualis {

class FileInfoLabel : public QLabel {
    Q_OBJECT
  public:
    explicit FileInfoLabel(QWidget* parent = nullptr);

    // The text to show, lines separated by "\n"; shown cut to the label's width.
    void SetFullText(const QString& text);
    const QString& FullText() const { return fullText_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowCut();

    QString fullText_;
};

}  // namespace dualis
