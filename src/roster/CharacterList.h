// The roster window's controller: the roster table and its insert, delete and
// open actions, and the way back to the title.
#pragma once

#include "ui/AppContext.h"
#include "ui/RowArrayModel.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
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

    const RowArrayModel& rows() const { return ClistMA; }

    void timerAction();
    void ClistTVsgl(std::int32_t row);
    void ClistTVdbl();
    void Cinsert();
    void Cdelete();
    void ToTheTitle();
    void initCList();

private:
    void openEditor();

    AppContext& context_;
    std::unique_ptr<Ui::CharacterList> ui_;
    RowArrayModel ClistMA;
    QTimer timer;
};

} // namespace pc
