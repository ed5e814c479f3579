#include "ResultLabel.h"

#include "ResultLabelAccessible.h"

ResultLabel::ResultLabel(const QString &text, QLabel *caption, QWidget *parent)
    : QLabel(text, parent)
    , m_caption(caption)
{
    ResultLabelAccessible::installFactory();
    caption->setBuddy(this); // the caption labels it, for assistive tools too
}
