#include "ReportTemplates.h"

#include "TemplateParts.h"

#include <initializer_list>

namespace report {
namespace {

constexpr ReportFont small{11, false, false};
constexpr ReportFont smallBold{12, true, false};

// ---- Home inspection form ------------------------------------------------

constexpr double ratingWidth = 34;
constexpr double labelWidth = 150;
constexpr double notesLeft = labelWidth + 5 * ratingWidth; // 320
constexpr double notesWidth = 361;
constexpr double tableWidth = notesLeft + notesWidth; // 681
constexpr double headerRowHeight = 30;

// A rating table: a header row with the section's name, "Condition" over
// the five ratings and "NOTES", then one ruled row per item. A row labelled
// "Other" is written in by hand, so its label keeps to the top left.
void addRatingTable(Band &band, const QString &id, double x, double headerTop, double firstRowTop,
                    double rowHeight, const QString &section,
                    std::initializer_list<const char *> items)
{
    const auto cell = [&](const QString &name, double left, double top, double width, double height,
                          const QString &text, ReportFont font, HAlign h = HAlign::Center,
                          VAlign v = VAlign::Center) {
        band.boxes.append(makeBox(QStringLiteral("mem%1%2").arg(id, name),
                                  QRectF(left, top, width, height), text, font, h, v, true));
    };
    cell(QStringLiteral("Title"), x, headerTop, labelWidth, headerRowHeight, section, smallBold);
    cell(QStringLiteral("Condition"), x + labelWidth, headerTop, 5 * ratingWidth, 15,
         QStringLiteral("Condition"), small);
    const char *ratings[] = {"NA", "Poor", "Fair", "Good", "Great"};
    for (int i = 0; i < 5; ++i) {
        cell(QStringLiteral("Rating%1").arg(i + 1), x + labelWidth + ratingWidth * i,
             headerTop + 15, ratingWidth, 15, QString::fromLatin1(ratings[i]), small);
    }
    cell(QStringLiteral("Notes"), x + notesLeft, headerTop, notesWidth, headerRowHeight,
         QStringLiteral("NOTES"), smallBold);

    double top = firstRowTop;
    int row = 0;
    for (const char *item : items) {
        ++row;
        const QString label = QString::fromLatin1(item);
        const bool writeIn = label == QLatin1StringView("Other");
        const QString prefix = QStringLiteral("Row%1").arg(row);
        cell(prefix + QStringLiteral("Item"), x, top, labelWidth, rowHeight, label, small,
             writeIn ? HAlign::Left : HAlign::Center, writeIn ? VAlign::Top : VAlign::Center);
        for (int i = 0; i < 5; ++i) {
            cell(prefix + QStringLiteral("Rating%1").arg(i + 1), x + labelWidth + ratingWidth * i,
                 top, ratingWidth, rowHeight, QString(), small);
        }
        cell(prefix + QStringLiteral("Notes"), x + notesLeft, top, notesWidth, rowHeight, QString(),
             small);
        top += rowHeight;
    }
}

QString inspectionNote()
{
    return QStringLiteral(
        "NOTE:  This form is designed only to help you conduct a quick review of a particular "
        "property.  This form is NOT a substitute for a professional home inspection.  While a "
        "professional home inspection may not be required as part of your real estate purchase, "
        "you should consult your own professional home inspector to obtain a good analysis of the "
        "property you wish to acquire.");
}

Band titleBand(double height)
{
    Band band;
    band.kind = BandKind::Title;
    band.height = height;
    return band;
}

// ---- To-do list for movers -----------------------------------------------

constexpr double taskWidth = 612;
constexpr double tickWidth = 68;
constexpr double headingHeight = 30;
constexpr double taskLineHeight = 21;

struct Task
{
    int lines; // the row is 21 units high per line
    const char *text;
};

// A section: a heading row with "Completed" over the tick boxes, then one
// row per task with an empty box to tick.
void addSection(Band &band, int id, double left, double top, const char *heading,
                std::initializer_list<Task> tasks)
{
    const QString prefix = QStringLiteral("memSection%1").arg(id);
    band.boxes.append(makeBox(
        prefix + QStringLiteral("Heading"), QRectF(left, top, taskWidth, headingHeight),
        QString::fromLatin1(heading), {15, true, false}, HAlign::Left, VAlign::Center, true));
    band.boxes.append(makeBox(prefix + QStringLiteral("Completed"),
                              QRectF(left + taskWidth, top, tickWidth, headingHeight),
                              QStringLiteral("Completed"), smallBold, HAlign::Center,
                              VAlign::Center, true));
    double y = top + headingHeight;
    int row = 0;
    for (const Task &task : tasks) {
        ++row;
        const double height = taskLineHeight * task.lines;
        band.boxes.append(makeBox(prefix + QStringLiteral("Task%1").arg(row),
                                  QRectF(left, y, taskWidth, height), QString::fromUtf8(task.text),
                                  {12, false, false}, HAlign::Left, VAlign::Center, true));
        band.boxes.append(makeBox(prefix + QStringLiteral("Tick%1").arg(row),
                                  QRectF(left + taskWidth, y, tickWidth, height), QString(),
                                  {12, false, false}, HAlign::Center, VAlign::Center, true));
        y += height;
    }
}

} // namespace

ReportTemplate makeHomeInspectionForm()
{
    const FooterNote notes[] = {
        {32, 28, 43, inspectionNote()},
        {32, 28, 43, inspectionNote()},
        {33, 24, 43, inspectionNote()},
        {33, 28, 43, inspectionNote()},
    };

    // Page 1: general interior and kitchen, under the introduction.
    Band title1 = titleBand(80);
    addTitleBlock(title1, 30, 7);
    Band header1;
    header1.kind = BandKind::PageHeader;
    header1.height = 800;
    header1.rules.append({40, 8, 712, 1});
    header1.boxes.append(makeBox(
        QStringLiteral("memIntroduction"), QRectF(56, 11, tableWidth, 69),
        QStringLiteral(
            "A thorough inspection helps you to judge what a home is worth before you make an "
            "offer: rate each part of the house on this form and note what you find. Shortly "
            "before closing, inspect the home a second time to confirm that its condition has not "
            "changed since your offer, and have any damage that has occurred since then repaired "
            "before you close. Keep the completed form afterwards: it is a baseline record of the "
            "home's condition when you bought it, to look back on whenever you need to know what "
            "has changed since."),
        small));
    addRatingTable(header1, QStringLiteral("GeneralInterior"), 56, 84, 114, 21,
                   QStringLiteral("GENERAL INTERIOR"),
                   {"Interior Walls", "Interior Ceilings", "Interior Flooring", "Interior Lighting",
                    "Windows, Screens, Shutters", "Doors, Knobs and Locks", "Ceiling Fans",
                    "Stairs and Handrails", "Smoke and CO Alarms", "Fireplaces"});
    addRatingTable(header1, QStringLiteral("Kitchen"), 56, 329, 359, 21, QStringLiteral("KITCHEN"),
                   {"Cabinetry", "Ceiling", "Countertops", "Dishwasher", "Doors", "Electrical",
                    "Flooring", "Garbage Disposal", "Icemaker", "Lighting", "Microwave Oven",
                    "Oven", "Refrigerator", "Sinks and Plumbing", "Stove", "Trash Compactor",
                    "Vent Hood", "Walls", "Windows"});
    TemplatePage page1;
    page1.bands = {title1, header1, makePageFooter(32, 32, 4, QString(), &notes[0])};

    // Page 2: rooms.
    Band title2 = titleBand(830);
    addRatingTable(title2, QStringLiteral("Rooms"), 56, 50, 81, 34, QStringLiteral("ROOMS"),
                   {"Foyer/Entrance", "Living Room",    "Den",
                    "Dining Room",    "Hallways",       "Laundry / Utility Room",
                    "Bathroom",       "Bedroom 1",      "Bedroom 2",
                    "Bedroom 3",      "Master Bedroom", "Master Bathroom",
                    "Home Office",    "Garage",         "Basement",
                    "Other",          "Other",          "Other",
                    "Other",          "Other",          "Other",
                    "Other"});
    TemplatePage page2;
    page2.bands = {title2, makePageFooter(32, 32, 5, QStringLiteral("2"), &notes[1])};

    // Page 3: exterior.
    Band title3 = titleBand(835);
    addRatingTable(title3, QStringLiteral("Exterior"), 56, 50, 81, 34, QStringLiteral("EXTERIOR"),
                   {"Roof",
                    "Gutters and Downspouts",
                    "Roof Vents and Flashing",
                    "Chimney(s)",
                    "Siding (Brick, wood, etc.)",
                    "Wooden Features (Arbors, screens, etc.)",
                    "Patios and Sidewalks",
                    "Driveways",
                    "Decks, Stairs and Porches",
                    "Exterior Lighting",
                    "Sprinkler System",
                    "Lawn",
                    "Surface Drainage",
                    "Trees, Shrubery and Hedges",
                    "Landscaping and Flower Beds",
                    "Retaining Walls and Structures",
                    "Exterior Buildings",
                    "Other",
                    "Other",
                    "Other",
                    "Other",
                    "Other"});
    TemplatePage page3;
    page3.bands = {title3, makePageFooter(33, 33, 5, QStringLiteral("3"), &notes[2])};

    // Page 4: systems, then room for additional notes.
    Band title4 = titleBand(850);
    addRatingTable(title4, QStringLiteral("Systems"), 50, 50, 81, 34, QStringLiteral("SYSTEMS"),
                   {"Doorbell(s)", "Home Alarm", "Garage Door Opener", "Sump Pump",
                    "Water Pressure", "Appliances", "Plumbing", "Water Heater(s)", "Heating System",
                    "Air Conditioning System", "Intercoms", "Light Switches"});
    title4.boxes.append(makeBox(QStringLiteral("memAdditionalNotes"),
                                QRectF(50, 497, tableWidth, 30), QStringLiteral("ADDITIONAL NOTES"),
                                smallBold, HAlign::Center, VAlign::Center, true));
    for (int i = 0; i < 9; ++i) {
        title4.boxes.append(makeBox(QStringLiteral("memAdditionalNotes%1").arg(i + 1),
                                    QRectF(50, 528 + 34 * i, tableWidth, 34), QString(), small,
                                    HAlign::Left, VAlign::Top, true));
    }
    TemplatePage page4;
    page4.bands = {title4, makePageFooter(33, 33, 5, QStringLiteral("4"), &notes[3])};

    return ReportTemplate(QStringLiteral("frxHomeInspectionForm"),
                          ReportTemplate::Command::Print | ReportTemplate::Command::PageNavigation,
                          {page1, page2, page3, page4});
}

ReportTemplate makeToDoList()
{
    // Page 1: four, three and two weeks before the move, under the introduction.
    Band title1 = titleBand(80);
    addTitleBlock(title1, 41, 7);
    Band header1;
    header1.kind = BandKind::PageHeader;
    header1.height = 755;
    header1.rules.append({56, 9, 712, 1});
    header1.boxes.append(makeBox(
        QStringLiteral("memIntroduction"), QRectF(66, 12, 693, 86),
        QStringLiteral(
            "How easy a move is depends on many things: how far you are going, how much you own, "
            "the size of your family and the ages of your children, and how well you have "
            "prepared. Most of these you cannot change, but the preparation is up to you, and good "
            "preparation takes much of the strain out of moving day. This list reminds you of the "
            "tasks that people commonly have to take care of before they move, on moving day "
            "itself and when they arrive at their new home. Work through it week by week, and tick "
            "off each task as soon as it is done.")));
    addSection(header1, 1, 66, 118, "  Four Weeks Before You Move ...",
               {
                   {1, "Start packing early, beginning with the things you use least."},
                   {1, "Have drapes and carpets cleaned, or book a cleaner for the week before you "
                       "move."},
                   {3, "Call the gas, electric, oil, water, telephone, cable television and trash "
                       "companies to arrange the dates on which they disconnect service at your "
                       "old home and connect it at your new one. Keep the telephone on until your "
                       "last day, so that you can be reached while you move out."},
                   {1, "Reserve the freight elevator if you are moving out of or into an apartment "
                       "building."},
                   {2, "Ask for refunds of deposits and of services paid in advance, such as "
                       "utility deposits, club dues, insurance premiums and subscriptions."},
                   {1, "Tell household services such as the gardener, snow removal and pool "
                       "service when to stop."},
                   {2, "Arrange home, car, health and life insurance for your new home, and make "
                       "sure that your belongings are insured while they are on the road."},
               });
    addSection(header1, 2, 66, 387, "  Three Weeks Before You Move ...",
               {
                   {1, "Settle your travel plans for moving day: route, overnight stays and "
                       "reservations."},
                   {1, "Close your local bank accounts and open new ones at a bank near your new "
                       "home."},
                   {1, "Resign from local clubs and memberships, or have them transferred."},
                   {1, "Return everything you have borrowed, and collect everything you have "
                       "lent."},
                   {1, "Give your new address to the motor vehicle office for your license and "
                       "registration."},
                   {1, "Arrange for someone to look after young children on moving day."},
               });
    addSection(header1, 3, 66, 551, "  Two Weeks Before You Move ...",
               {
                   {1, "Arrange transportation for your pets and your plants."},
                   {1, "Have your cars serviced for the trip."},
                   {1, "Confirm the arrangements with the moving company: dates, times, addresses "
                       "and services."},
                   {2, "Pay your local bills, and collect or return dry cleaning, library books, "
                       "rented videos and anything else that is out on loan or in for repair."},
               });
    TemplatePage page1;
    page1.bands = {title1, header1, makePageFooter(32, 32, 4, QString())};

    // Page 2: the last week, the last days and moving day.
    Band title2 = titleBand(874);
    addSection(title2, 4, 50, 60, "  One Week Before You Move ...",
               {
                   {2, "Prepare directions to your new home and an itinerary with the telephone "
                       "numbers where you can be reached in an emergency, and give copies to the "
                       "movers."},
                   {1, "Confirm the reservation of the freight elevator."},
                   {1, "Get your pets' veterinary records and vaccination certificates."},
                   {1, "Drain the fuel and oil from the lawn mower and other power equipment."},
                   {1, "Give away the plants that you are not taking with you."},
                   {1, "Cancel your newspapers, or have them sent to your new address."},
                   {1, "Buy traveler's checks for the trip and your first days in the new town."},
                   {1, "Arrange how you will pay the movers: cash, certified check or credit "
                       "card."},
                   {2, "Get a two weeks' supply of the prescription medicines you take, and ask "
                       "your pharmacist to transfer your prescriptions to a pharmacy near your new "
                       "home."},
                   {2, "Label the cables of your computer, television and stereo and bundle them "
                       "together, and pack the equipment in the boxes it came in if you still have "
                       "them."},
               });
    addSection(
        title2, 5, 50, 371, "  Two or Three Days Before You Move ...",
        {
            {1, "Have the movers pack your belongings, unless you are packing them "
                "yourself."},
            {1, "Wax wooden furniture; the wax protects the finish while it is moved."},
            {1, "Defrost, clean and dry the refrigerator and the freezer."},
            {1, "Disconnect the other large appliances, such as the dryer, stove and "
                "dishwasher."},
            {1, "Confirm your plans with the movers once more: the day, the time and both "
                "addresses."},
            {1, "Drain the washing machine after the last load and close its water taps."},
            {2, "Pack an \"Arrival\" kit for the first night: bedding, towels, toiletries, a "
                "telephone, an alarm clock, a change of clothes and a flashlight."},
            {3, "Pack a \"Survival\" kit: basic tools, drinks and snacks, paper plates, cups "
                "and towels, toilet paper, cleaning supplies and trash bags, office "
                "supplies such as pens, tape and scissors, and pain relievers."},
            {2, "Label both kits clearly, so that they are not loaded onto the moving van, "
                "and keep them with you in your car."},
        });
    addSection(title2, 6, 50, 683, "  Moving Day ...",
               {
                   {2, "Stay until the movers have finished loading, give them directions to your "
                       "new home, and leave a telephone number where they can reach you in an "
                       "emergency."},
                   {3, "Fill in the bill of lading and the inventory with the driver, and read "
                       "them carefully before you sign them. Keep your copies in a safe place "
                       "until your belongings have been delivered, the charges paid and any "
                       "claims settled."},
                   {1, "Walk through the whole house one last time to make sure nothing is left "
                       "behind."},
                   {1, "Write down the final readings of the gas, electric and water meters."},
               });
    TemplatePage page2;
    page2.bands = {title2, makePageFooter(33, 32, 4, QStringLiteral("3"))};

    // Page 3: arriving at the new home.
    Band title3 = titleBand(874);
    addSection(title3, 7, 48, 51, "  When You Arrive at Your New Home ...",
               {
                   {1, "Unpack your \"Arrival\" and \"Survival\" kits."},
                   {1, "Check that the gas, electricity, water and telephone are on."},
                   {1, "Protect the floors with plastic sheets or carpet runners before the "
                       "furniture comes in."},
                   {1, "Hang curtains if there is time, for privacy on the first night."},
                   {1, "Be at your new home when the movers arrive, to meet them and let them in."},
                   {2, "Give the movers a floor plan of your new home that shows where each room "
                       "is and where each large piece of furniture and each box should go."},
                   {2, "Check for damaged or missing items as the movers unload, compare what "
                       "arrives with the inventory, and note every damage or loss in writing."},
                   {3, "Pay the movers on delivery as agreed. If you have not yet unpacked "
                       "everything, write on the bill of lading that your possessions are "
                       "accepted subject to loss or damage found later, so that you can still "
                       "make a claim."},
                   {1, "Keep all of your moving papers together in a safe place."},
                   {1, "Collect the mail held for you at your new post office and arrange for its "
                       "delivery."},
                   {2, "Rest, and take your time to settle in: explore the neighborhood, meet your "
                       "neighbors, and find the nearest doctor, hospital, pharmacy and grocery "
                       "store."},
               });
    TemplatePage page3;
    page3.bands = {title3, makePageFooter(33, 32, 4, QStringLiteral("4"))};

    return ReportTemplate(QStringLiteral("frxToDoList"),
                          ReportTemplate::Command::Print | ReportTemplate::Command::PageNavigation,
                          {page1, page2, page3});
}

} // namespace report
