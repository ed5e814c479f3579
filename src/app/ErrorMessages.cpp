#include "ErrorMessages.h"

#include "FloatingPoint.h"
#include "Platform.h"
#include "WebAddresses.h"

QString calculationErrorMessage()
{
    // The odd "\n\r" line breaks are the program's own and kept as they are.
    return QStringLiteral("An answer cannot be calculated using\n\rthe values you have "
                          "entered.\n\r\n\rPlease try again with different values.");
}

QString generalErrorMessage()
{
    return QStringLiteral("An error has occurred.\r\n\r\nPlease contact Brantel Software    "
                          "\r\n\r\nat:  ") +
           QLatin1StringView(web::supportAddress);
}

void showErrorMessage(QWidget *parent, std::exception_ptr error)
{
    bool arithmetic = false;
    try {
        std::rethrow_exception(error);
    } catch (const FloatingPointError &) {
        arithmetic = true;
    } catch (...) {
    }
    platform::showInformation(parent, arithmetic ? calculationErrorMessage()
                                                 : generalErrorMessage());
}
