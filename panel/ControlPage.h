#pragma once

#include <QWidget>

// What the bar asks of each of its pages.
class CControlPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Copies every document value the page edits into its controls without
    // writing anything back, then updates the enabled states.
    virtual void LoadFromDocument() = 0;
    // Enables or disables the page's controls by the document and the page's
    // own choices.
    virtual void UpdateControlStates() = 0;
};
