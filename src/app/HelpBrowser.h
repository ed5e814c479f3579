#pragma once

#include <QTextBrowser>

class QHelpEngineCore;

// Shows the pages of the compiled help. Pages, style sheets and pictures whose
// address has the qthelp scheme are read out of the help file through the
// engine; anything else (the program's own pictures under qrc:) is loaded as
// a text browser always does. A page the help file does not hold is replaced
// by a short explanation rather than an empty view.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HelpBrowser(QHelpEngineCore *engine, QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;

private:
    QHelpEngineCore *m_engine;
};
