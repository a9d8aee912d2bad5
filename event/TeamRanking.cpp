#include "event/Ranking.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

struct Member {
    const StandingRow* row;
    int64_t value; // result in ms, or class place
};

} // namespace

QList<TeamRow> rankTeams(const QList<StandingRow>& overall, const TeamRules& rules) {
    const bool byPlaces = rules.scoring == TeamScoring::SumOfClassPlaces;
    QHash<QString, qsizetype> teamOf;
    QList<QString> clubs;
    QList<std::vector<Member>> candidates;
    for (const StandingRow& row : overall) {
        const QString club = row.competitor.club.trimmed();
        if (club.isEmpty() || row.kind != ResultKind::Full)
            continue;
        const QString key = club.toCaseFolded();
        auto it = teamOf.constFind(key);
        if (it == teamOf.constEnd()) {
            it = teamOf.insert(key, clubs.size());
            clubs.append(club);
            candidates.append(std::vector<Member>());
        }
        candidates[*it].push_back({&row, byPlaces ? int64_t(row.classPlace) : *row.resultMs});
    }

    const int maxMembers = std::max(1, rules.maxMembers);
    QList<TeamRow> teams;
    for (qsizetype t = 0; t < clubs.size(); ++t) {
        std::vector<Member>& list = candidates[t];
        std::stable_sort(list.begin(), list.end(), [](const Member& a, const Member& b) {
            return a.value != b.value ? a.value < b.value
                                      : a.row->competitor.startNumber < b.row->competitor.startNumber;
        });
        TeamRow team;
        team.club = clubs[t];
        QSet<QString> classesTaken;
        for (const Member& m : list) {
            if (team.memberNumbers.size() >= maxMembers)
                break;
            if (rules.membersFromDifferentClasses) {
                if (classesTaken.contains(m.row->className))
                    continue;
                classesTaken.insert(m.row->className);
            }
            team.memberNumbers.append(m.row->competitor.startNumber);
            team.result += m.value;
        }
        team.complete = team.memberNumbers.size() == maxMembers;
        teams.append(team);
    }

    auto before = [](const TeamRow& a, const TeamRow& b) {
        if (a.complete != b.complete)
            return a.complete;
        if (a.memberNumbers.size() != b.memberNumbers.size())
            return a.memberNumbers.size() > b.memberNumbers.size();
        return a.result < b.result;
    };
    std::stable_sort(teams.begin(), teams.end(), before);
    for (qsizetype i = 0; i < teams.size(); ++i)
        teams[i].place = (i > 0 && !before(teams[i - 1], teams[i])) ? teams[i - 1].place : int(i + 1);
    return teams;
}

Honours honoursOf(const QList<StandingRow>& overall) {
    Honours h;
    std::optional<int64_t> girl, boy;
    for (const StandingRow& row : overall) {
        if (row.kind != ResultKind::Full)
            continue;
        const Sex sex = row.competitor.sex;
        if (sex != Sex::Female && sex != Sex::Male)
            continue;
        std::optional<int64_t>& best = sex == Sex::Female ? girl : boy;
        QList<int>& list = sex == Sex::Female ? h.fastestGirl : h.fastestBoy;
        if (!best || *row.resultMs < *best) {
            best = row.resultMs;
            list = {row.competitor.startNumber};
        } else if (*row.resultMs == *best) {
            list.append(row.competitor.startNumber);
        }
    }
    return h;
}
