#include "ReportTemplate.h"

ReportTemplate::ReportTemplate(QString name, Commands commands, QList<report::TemplatePage> pages)
    : m_name(std::move(name))
    , m_commands(commands)
    , m_pages(std::move(pages))
{
}

report::TextBox *ReportTemplate::FindObject(QStringView name)
{
    for (report::TemplatePage &page : m_pages) {
        for (report::Band &band : page.bands) {
            for (report::TextBox &box : band.boxes) {
                if (box.name.compare(name, Qt::CaseInsensitive) == 0)
                    return &box;
            }
        }
    }
    return nullptr;
}

const report::TextBox *ReportTemplate::FindObject(QStringView name) const
{
    return const_cast<ReportTemplate *>(this)->FindObject(name);
}
