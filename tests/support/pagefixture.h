#ifndef PAGEFIXTURE_H
#define PAGEFIXTURE_H

#include "deruvivuriri_form.h"

#include <QByteArray>
#include <QWidget>

#include <cstring>
#include <memory>
#include <type_traits>

// A device page on a real form, without the main window: the form is built
// on a plain widget and the page is given it the way the main window does.
// Answers reach the page through feed(), in a block of exactly their size, as
// the main window hands over its receive buffer, so a parser reading past the
// end of an answer is caught by the sanitizers.
template <class Page> class PageFixture
{
public:
    PageFixture() : window(new QWidget), ui(new Ui_Deruvivuriri)
    {
        ui->setupUi(window.get());
        // Pages that send only through their signals take the form alone.
        if constexpr (std::is_constructible_v<Page, Ui_Deruvivuriri *, std::nullptr_t>)
            page.reset(new Page(ui.get(), nullptr));
        else
            page.reset(new Page(ui.get()));
        page->initUI();
    }
    ~PageFixture()
    {
        // The page works on the form, so it goes first.
        page.reset();
        window.reset();
        ui.reset();
    }
    PageFixture(const PageFixture &) = delete;
    PageFixture &operator=(const PageFixture &) = delete;

    // Calls parse(length, bytes) with a copy of the chunk in a block of its
    // own size (a null pointer for an empty chunk).
    template <class Parse> static void feedExactly(const QByteArray &chunk, Parse &&parse)
    {
        std::unique_ptr<char[]> block(chunk.isEmpty() ? nullptr : new char[size_t(chunk.size())]);
        if (block)
            std::memcpy(block.get(), chunk.constData(), size_t(chunk.size()));
        parse(chunk.size(), block.get());
    }

    // The page's own intake, run(length, bytes).
    void feed(const QByteArray &chunk)
    {
        feedExactly(chunk, [this](int length, char *bytes) { page->run(length, bytes); });
    }

    std::unique_ptr<QWidget> window;
    std::unique_ptr<Ui_Deruvivuriri> ui;
    std::unique_ptr<Page> page;
};

#endif // PAGEFIXTURE_H
