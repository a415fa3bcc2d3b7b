// The roster window's controller: the roster table and its insert, delete and
// open actions, and the way back to the title.
#pragma once

#include "app/AppContext.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class CharacterList;
}

namespace pc {

class CharacterList : public QWidget {
    Q_OBJECT
public:
    explicit CharacterList(AppContext& context);
    ~CharacterList() override;

    void timerAction();
    void initCList();
    void ToTheTitle();

private:
    AppContext& context_;
    std::unique_ptr<Ui::CharacterList> ui_;
    QTimer timer;
};

} // namespace pc
