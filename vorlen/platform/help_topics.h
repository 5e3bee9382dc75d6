// The help book's topic numbers, by name. They are the [MAP] numbers of
// vorlen/resources/help/vorlen.hhp and must never change.
#pragma once

namespace vorlen::help {

// Topics that dialogs and fields open.
enum Topic : int {
    contact = 100,
    eventProperties = 101,
    eventDescription = 102,
    eventCategory = 103,
    eventWhere = 104,
    eventWarning = 105,
    eventStart = 106,
    eventFinish = 107,
    eventExpires = 108,
    eventPeriod = 109,
    eventPosition = 110,
    eventEvery = 111,
    bootup = 113,
    fileInformation = 114,
    eventAutoDelete = 117,
    categories = 118,
    options = 119,
    reassignCategory = 122,
    eventExtra = 124,
    eventSound = 125,
    eventAlarm = 126,
    appointmentAlarm = 127,
    setupWizard = 128,
    compress = 130,
};

inline constexpr Topic allTopics[] = {
    contact,    eventProperties, eventDescription, eventCategory,    eventWhere,    eventWarning,
    eventStart, eventFinish,     eventExpires,     eventPeriod,      eventPosition, eventEvery,
    bootup,     fileInformation, eventAutoDelete,  categories,       options,       reassignCategory,
    eventExtra, eventSound,      eventAlarm,       appointmentAlarm, setupWizard,   compress,
};

// Context help (Shift+F1) opens the topic numbered like the chosen menu
// command; the book has one for each command of the main menu.
inline constexpr int menuCommandTopics[] = {
    24331, 24332, 17, 16, 24333, 24334, 20, 21, 19, 21010, 24310, 24321, 24322, 24323, 24324, 24325,
    24351, 24353, 6,  2,  7,     4,     5,  3,  9,  6511,  18,    21009, 2001,  12,    2002,  2009,
};

}  // namespace vorlen::help
