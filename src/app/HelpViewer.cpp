#include "HelpViewer.h"

void HelpViewer::showTopic(int context)
{
    m_requested.append(context);
    Q_EMIT topicRequested(context);
}

void HelpViewer::closeAll()
{
    Q_EMIT closeAllRequested();
}
