#pragma once

#include <functional>

// A form's generated widgets, built the first time anything reaches for them
// instead of in the form's constructor. Run creates every form at once and
// most are never opened in a session, so the module's menu comes up without
// paying for them; the form pays on its first show or first data call.
template<class Ui> class DeferredUi
{
public:
    // 'finish' is the form's own wiring, if any, run once right after setupUi.
    template<class Form>
    explicit DeferredUi(Form *form, void (Form::*finish)() = nullptr)
        : setup([form, finish](Ui *ui) {
            ui->setupUi(form);
            if (finish)
                (form->*finish)();
        })
    { }
    ~DeferredUi() { delete ui; }
    DeferredUi(const DeferredUi &) = delete;
    DeferredUi &operator=(const DeferredUi &) = delete;

    // Building is a cache fill: a const form may build its widgets too.
    Ui *operator->() const { return get(); }

    Ui *get() const
    {
        if (!ui) {
            ui = new Ui;
            setup(ui);
        }
        return ui;
    }

    bool isBuilt() const { return ui != nullptr; }

private:
    std::function<void(Ui *)> setup;
    mutable Ui *ui = nullptr;
};
