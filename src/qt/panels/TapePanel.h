#pragma once

#include <QElapsedTimer>
#include <QObject>

class QWidget;

namespace sumwise {
class CalcForm;
} // namespace sumwise

namespace sumwise::qt {

class TapeListModel;
class TapeView;

// The tape: its list follows the core's tape row by row; a click, a double click, the
// selection and the page size go to the tape document.
class TapePanel : public QObject {
    Q_OBJECT
public:
    TapePanel(CalcForm& form, QWidget* client);
    // Goes with the client area, before the core: the model follows the core's tape.
    ~TapePanel() override;

    TapeView* view() const { return lstTape_; }

signals:
    // A double click opened the change panel; the window re-reads the core's state.
    void changed();

private:
    void followSelection();

    CalcForm& form_;
    TapeView* lstTape_ = nullptr;
    TapeListModel* tapeModel_ = nullptr;
    QElapsedTimer changeOpened_; // when a double click last opened the change panel
};

} // namespace sumwise::qt
